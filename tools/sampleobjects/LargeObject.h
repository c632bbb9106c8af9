#pragma once

#include "objects/modObjects.h"

#include <cstdint>

namespace quillax {

// An object of meshCount meshes sharing pointCount points in all, spread over a disc: for benchmarks.
// Each mesh needs 2 to 32,767 points, as the format has them.
ObjectFile LargeObject(int32_t pointCount, int32_t meshCount);

} // namespace quillax
