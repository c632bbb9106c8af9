#pragma once

#include <QIODevice>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace quillax {

// Exit statuses of the command-line companion.
namespace ExitStatus {
inline constexpr int Ok = 0;
inline constexpr int Failed = 1;
inline constexpr int Usage = 2;
} // namespace ExitStatus

// One subcommand's arguments (after the subcommand's name) and where it writes.
struct CliContext {
    std::vector<std::string> Arguments;
    std::ostream& Out;
    std::ostream& Err;
};

bool WantsHelp(const std::vector<std::string>& arguments);

class RuntimeError;
class clsOffScreenDC;

// "quillax COMMAND: FILE: error N: description" on context.Err, control characters escaped.
void ReportFileError(const CliContext& context, const char* command, const std::string& file,
                     const RuntimeError& error);
// Saves the surface's image as a bitmap file: Ok, or Failed after reporting why.
int SaveSurface(clsOffScreenDC& surface, const std::string& file, const char* command,
                const CliContext& context);
// Writes a file through the programs' one output path; body writes the content and returns an empty
// text or its own reason for failing. Ok, or Failed after "quillax COMMAND: cannot write FILE: why".
int WriteOutput(const std::string& file, const char* command, const CliContext& context,
                const std::function<std::string(QIODevice&)>& body);

} // namespace quillax
