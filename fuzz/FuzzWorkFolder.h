#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quillax {

// A private folder for the files a fuzz target writes, in memory where the system allows (each input
// costs a few small file writes), removed again when the run ends.
const std::string& FuzzWorkFolder();

// Writes the input to a file of that name in the folder and returns its path.
std::string WriteFuzzInput(const uint8_t* data, size_t size, const std::string& name);

} // namespace quillax
