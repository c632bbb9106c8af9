#pragma once

#include "support/ProgramRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace quillax {

// Peak memory means little under the address sanitizer, which keeps freed memory aside, and its shadow
// memory needs more address space than any limit a test would set.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool MeasuresMemory = false;
#else
inline constexpr bool MeasuresMemory = true;
#endif

// A file's bytes; none when it cannot be read.
inline std::optional<std::string> Contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// A run whose standard input is a pipe holding input.
inline ProgramSetup Piped(const std::string& input) {
    ProgramSetup setup;
    setup.Input = input;
    return setup;
}

// Runs the real `quillax` (the test target defines QUILLAX_BINARY), its reload file kept in the
// test's folder.
class QuillaxFixture : public ::testing::Test {
protected:
    QuillaxFixture() { mkdir(Folder.Path("run").c_str(), 0700); }

    ProgramRun Quillax(const std::vector<std::string>& arguments, ProgramSetup setup = {}) {
        setup.Environment.insert(setup.Environment.begin(), "XDG_RUNTIME_DIR=" + Folder.Path("run"));
        return RunProgram(QUILLAX_BINARY, arguments, setup);
    }

    TempFolder Folder;
};

} // namespace quillax
