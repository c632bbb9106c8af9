#pragma once

#include "view/MarkerColour.h"
#include "view/MarkerPool.h"

#include <cstdint>

namespace quillax {

// One line segment of the drawing area. Defaults are Joint(0) as designed.
// Packed, 22 bytes: an object holds one for nearly every point, and the fields are only ever used by
// value.
struct [[gnu::packed]] JointElement {
    float X1 = 0;
    float Y1 = 0;
    float X2 = 0;
    float Y2 = 0;
    MarkerColour BorderColor = 128;
    int16_t BorderWidth = 1;
    bool Visible = false;
};

static_assert(sizeof(JointElement) == 22);

using JointPool = MarkerPool<JointElement>;

} // namespace quillax
