#pragma once

#include <cstdint>
#include <string>

// Tooltip texts of the boxes, in model units: "Point 3: (12.5, -4)" and
// "Line 3: (12.5, -4) to (17.5, -4)".
std::string PointTipText(int16_t index, float x, float y);
std::string LineTipText(int16_t index, float x1, float y1, float x2, float y2);
