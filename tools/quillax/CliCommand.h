#pragma once

#include "fileio/OutputFile.h"

#include <chrono>
#include <memory>
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

class RuntimeError;

// What a message says of an input that is not there.
inline constexpr const char* NoSuchFile = "no such file";

// "error N: description".
std::string ErrorText(const RuntimeError& error);
// "quillax COMMAND: FILE: message" on context.Err, control characters escaped.
void ReportInputError(const CliContext& context, const char* command, const std::string& file,
                      const std::string& message);
// The output named on the command line: standard output for "-", otherwise the file of that name,
// a FIFO waited on for a reader for at most wait. Another user's file, which is written in place to
// keep its owner, is said to be so on context.Err first.
std::unique_ptr<OutputFile> OutputNamed(const std::string& name, std::chrono::milliseconds wait,
                                        const CliContext& context, const char* command);
// Runs a command: every error it does not report itself ends it with status 1 and the reason on
// one line, so every output file being written is discarded on the way out and nothing aborts.
int RunReporting(const char* name, int (*run)(const CliContext&), const CliContext& context);
// Ok when the output is in place, otherwise Failed after "quillax COMMAND: cannot write NAME: why".
int ReportWrite(const WriteOutcome& outcome, const std::string& name, const char* command,
                const CliContext& context);

} // namespace quillax
