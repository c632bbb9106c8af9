#pragma once

#include "objects/modObjects.h"

#include <vector>

namespace quillax {

// What a description of an object tells of one mesh: `quillax info` and the object's JSON.
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

} // namespace quillax
