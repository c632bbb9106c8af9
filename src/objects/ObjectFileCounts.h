#pragma once

#include <cstdint>
#include <string>

namespace quillax {

// What an object file's counts promise, read from its mesh headers alone: the meshes and the points
// of those whose header the file holds.
struct ObjectFileCounts {
    int32_t Meshes = 0;
    uint64_t Points = 0;
};

// Walks the headers without reading a point, so a file claiming a billion points is sized in
// milliseconds. A file that is no object, and the headers after a count the loader refuses, promise
// nothing: the loader reports them.
ObjectFileCounts CountObjectFile(const std::string& fileName);

} // namespace quillax
