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

} // namespace quillax
