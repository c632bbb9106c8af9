#pragma once

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

// "quillax COMMAND: FILE: error N: description" on context.Err.
void ReportFileError(const CliContext& context, const char* command, const std::string& file,
                     const RuntimeError& error);
// Saves the surface's image as a bitmap file: Ok, or Failed after reporting why.
int SaveSurface(clsOffScreenDC& surface, const std::string& file, const char* command,
                const CliContext& context);

} // namespace quillax
