#pragma once

#include "platform/NumberTexts.h"

#include <cstdint>
#include <string>

namespace quillax {

// Tooltip texts of a point or line, in model units: "Mesh 2, point 3: (12.5, -4)" and
// "Mesh 2, line 3: (12.5, -4) to (17.5, -4)". The boxes and the drawing area say the same.
std::string PointTipText(int32_t mesh, int32_t index, float x, float y);
// Two points at one place, the ends of a closed outline: "Mesh 0, points 0 and 14: (0, -20)".
std::string PointsTipText(int32_t mesh, int32_t first, int32_t second, float x, float y);
std::string LineTipText(int32_t mesh, int32_t index, float x1, float y1, float x2, float y2);

// A pair of shortest float texts: "(12.5, -4)".
std::string CoordinatesText(float x, float y);

} // namespace quillax
