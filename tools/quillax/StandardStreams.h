#pragma once

#include <cstdint>
#include <string>

namespace quillax {

// "-" as a file name on the command line: standard input as an input, standard output as an output.
bool IsStandardStream(const std::string& name);

// A file named on the command line as messages show it: "standard input" or "standard output" for
// "-", otherwise the name with its control characters escaped.
std::string ShownInput(const std::string& name);
std::string ShownOutput(const std::string& name);

// The most standard input may hold: a bitmap of the surface's largest image fits, and any object
// that can be drawn.
inline constexpr int64_t MaxStandardInputBytes = int64_t{1} << 30;

// What a loader opens for an input named on the command line: the name itself, or for "-" the name
// /dev/stdin, once standard input is a regular file that holds all of it. The loaders take only
// regular files (they read at offsets and never wait), so a pipe or terminal is read to its end first
// into a file in memory that then stands in for standard input (as does a regular file read from
// anywhere but its start). Error says why not, when Path is empty.
struct InputPath {
    std::string Path;
    std::string Error;
};
InputPath OpenableInput(const std::string& name);

} // namespace quillax
