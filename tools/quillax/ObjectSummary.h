#pragma once

#include "objects/modObjects.h"

#include <string>
#include <vector>

namespace quillax {

// What `quillax info` tells of one mesh.
struct MeshSummary {
    float Red, Green, Blue;
    int32_t PointCount;
    // Bounding box of the finite points; Finite is false when no point is finite.
    bool Finite;
    float MinX, MinY, MaxX, MaxY;
    uint32_t ExtraValue;
    uint16_t ExtraWord;
};

std::vector<MeshSummary> SummariseMeshes(const ObjectFile& object);

// Shortest text that reads back as the same float; "nan", "inf" and "-inf" for the others.
std::string FloatText(float value);
// A float as a JSON value: where JSON has no number, the string "NaN", "Infinity" or "-Infinity".
std::string FloatJson(float value);
std::string HexText(uint32_t value, int digits);
// A JSON string of exactly the text's bytes: UTF-8 as it is, and each byte that is not part of UTF-8
// as the lone surrogate escape \udcXX (the convention of Python's surrogateescape, so os.fsencode gives
// the bytes back).
std::string JsonString(const std::string& text);
// Text for a human reader, one line whatever it holds: control characters, bytes that are not UTF-8
// and the backslash itself become C escapes (\n, \t, \r, \\, \xHH).
std::string EscapedText(const std::string& text);

} // namespace quillax
