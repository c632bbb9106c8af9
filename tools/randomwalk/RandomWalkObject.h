#pragma once

#include "objects/modObjects.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillax {

// What a random-walk object is made of: one mesh per entry of MeshSizes, each an open polyline of
// that many points, every step at most Step model units along each axis, starting within Spread
// units of the centre. The same options give the same object, bit for bit, on any machine.
struct RandomWalkOptions {
    std::vector<int16_t> MeshSizes;
    uint64_t Seed = 1;
    float Step = 1;
    float Spread = 50;
};

ObjectFile RandomWalkObject(const RandomWalkOptions& options);

// The number that is all of text; false when any of it is not ("12x" is no number).
template <typename Number> bool ParseNumber(std::string_view text, Number& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

// Mesh sizes written as COUNTxPOINTS groups separated by commas ("30x32767,1x16990"); none when
// the text is not of that form or a mesh would have fewer than 2 or more than 32,767 points.
std::optional<std::vector<int16_t>> ParseMeshSizes(std::string_view text);

// Writes the object as a .lin file; a std::runtime_error names the file when it cannot.
void WriteRandomWalkFile(const std::string& fileName, const ObjectFile& object);

} // namespace quillax
