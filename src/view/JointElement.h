#pragma once

#include <cstdint>

namespace quillax {

// The properties of one line segment of the drawing area. Defaults are Joint(0) as designed. Pools
// store none of them; a MarkerSource gives them.
struct JointElement {
    float X1 = 0;
    float Y1 = 0;
    float X2 = 0;
    float Y2 = 0;
    int32_t BorderColor = 128;
    int16_t BorderWidth = 1;
    bool Visible = false;
};

} // namespace quillax
