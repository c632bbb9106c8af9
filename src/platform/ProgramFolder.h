#pragma once

#include <string>

namespace quillax {

// The folder of the program's own executable, without a trailing separator.
std::string ProgramFolder();

// Points ProgramFolder() elsewhere (tests); an empty text restores the real folder.
void SetProgramFolder(const std::string& folder);

} // namespace quillax
