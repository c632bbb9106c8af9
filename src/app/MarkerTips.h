#pragma once

#include "objects/modObjects.h"
#include "view/MeshScene.h"

#include <cstdint>
#include <string>

namespace quillax {

// Tooltip texts of a point or line of any mesh; empty when there is no such point or line. Either end
// of a closed outline names both ("points 0 and 14"), as they move together.
std::string PointTip(const ObjectFile& object, int32_t meshIndex, int32_t index);
std::string LineTip(const ObjectFile& object, int32_t meshIndex, int32_t index);
// The tip for the pixel (x, y) of the drawing area: the chosen mesh's point or line there, else the
// nearest of any shown mesh's.
std::string MarkerTipAt(const MeshScene& scene, int32_t x, int32_t y);

} // namespace quillax
