#pragma once

#include "objects/modObjects.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace quillax {

// The inputs of the one mapping from model units to drawing-area pixels, read once per command
// (the angle's sine and cosine included).
struct ViewTransform {
    float Scale = 4;
    float CentreX = 0;
    float CentreY = 0;
    float PositionX = 0;
    float PositionY = 0;
    double SinAngle = 0;
    double CosAngle = 1;
    // The pan offsets, in model units: whole as designed, with fractions where the picture follows the
    // pointer to the pixel.
    float OffsetX = 0;
    float OffsetY = 0;
    int16_t Width = 0;
    int16_t Height = 0;
};

// A drawing-area position in whole pixels. Within the 16-bit range it is exactly the designed
// result; beyond it the same value in a wider type instead of an overflow; NaN in both coordinates
// when the point has no position (a NaN or infinite coordinate, or an unbounded zoom).
struct ScreenPoint {
    double X;
    double Y;

    bool IsFinite() const;
};

ViewTransform MakeViewTransform(const ObjectFile& object, const ObjectPlacement& placement, float viewScale,
                                float offsetX, float offsetY, int16_t width, int16_t height);

ScreenPoint ModelToScreen(const ViewTransform& view, float x, float y);

// A position as a single-precision marker property: beyond the single range it is held at the
// largest finite value, so far-away points stay far away on the same side; NaN stays NaN.
inline float SinglePosition(double value) {
    constexpr double largest = std::numeric_limits<float>::max();
    return std::isnan(value) ? NAN : static_cast<float>(std::clamp(value, -largest, largest));
}

} // namespace quillax
