#pragma once

#include "quillax/CliCommand.h"

#include <sstream>
#include <string>
#include <vector>

namespace quillax {

// What a command printed and returned, run in-process.
struct CliRun {
    int Status;
    std::string Out;
    std::string Err;
};

inline CliRun RunCli(int (*command)(const CliContext&), std::vector<std::string> arguments) {
    std::ostringstream out, err;
    const int status = command(CliContext{std::move(arguments), out, err});
    return {status, out.str(), err.str()};
}

} // namespace quillax
