#pragma once

#include "objects/ObjectImport.h"
#include "objects/modObjects.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quillax {

// The object as JSON: {"centre": {"x", "y"}, "meshCount", "meshes": [{"index", "colour": {"red", "green",
// "blue"}, "pointCount", "bounds" (of the finite points, null when none is), "extraValue", "extraWord",
// "points": [[x, y], ...]}], "trailingBytes"}. Every float is the shortest decimal that reads back as
// the same value; one JSON has no number for is "Infinity", "-Infinity", "NaN" (the quiet NaN
// 0x7FC00000) or, for any other NaN, its bits ("0xFFC00001"). extraValue and extraWord are hexadecimal
// strings; trailingBytes, the bytes after the last mesh in base64, is there only when the object has
// any. So every object that loads reads back from its JSON bit for bit.
struct ObjectJsonLayout {
    bool Points = true;
    // On one line, as `info --json` writes each element; otherwise a member, a mesh and a point a line,
    // so that a text diff shows what changed.
    bool OneLine = false;
    // Written as the first member when not empty: `"file": "ship.lin"`.
    std::string FirstMember;
};
std::string ObjectJsonText(const ObjectFile& object, const ObjectJsonLayout& layout);

// The NaN that the JSON writes as "NaN".
inline constexpr uint32_t JsonNaNBits = 0x7FC00000;

// A float as ObjectJsonText writes it.
std::string FloatJson(float value);

// Reads the JSON form back. What a person writes is taken too: any JSON number (the nearest float; one
// beyond the float range is refused), and fewer members: centre (0, 0), colour white (1, 1, 1),
// extraValue and extraWord 0 (or whole numbers), no trailing bytes; index, bounds and a "file" are not
// read, meshCount and pointCount must match what follows when given. Anything else, or any member
// twice, is refused with the line and column.
ObjectImport ObjectFromJson(std::string_view text);
// As ObjectFromJson, and also what `info --json` writes, an array of such objects: the meshes of every
// element in order, in one object with the first element's centre.
ObjectImport ObjectFromJsonList(std::string_view text);

} // namespace quillax
