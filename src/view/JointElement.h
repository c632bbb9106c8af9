#pragma once

#include "view/MarkerPool.h"

#include <cstdint>

namespace quillax {

// One line segment of the drawing area. Defaults are Joint(0) as designed.
struct JointElement {
    float X1 = 0;
    float Y1 = 0;
    float X2 = 0;
    float Y2 = 0;
    int32_t BorderColor = 128;
    int16_t BorderWidth = 1;
    bool Visible = false;
};

using JointPool = MarkerPool<JointElement>;

// Adds one shown segment from (x1, y1) to (x2, y2).
inline void LoadJointMarker(JointPool& joints, float x1, float y1, float x2, float y2) {
    JointElement& joint = NextElement(joints);
    joint.X1 = x1;
    joint.Y1 = y1;
    joint.X2 = x2;
    joint.Y2 = y2;
    joint.Visible = true;
}

} // namespace quillax
