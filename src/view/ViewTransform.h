#pragma once

#include "objects/modObjects.h"
#include "platform/Numeric.h"

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

// Inline, so that a loop over many points keeps the view's terms in registers.
inline ScreenPoint ModelToScreen(const ViewTransform& view, float x, float y) {
    const double s = view.Scale;
    // The scaled distances from the pivot are stored in single precision; everything after is double.
    const double dx = ToSingle((static_cast<double>(view.CentreX) - x) * s);
    const double dy = ToSingle((static_cast<double>(view.CentreY) - y) * s);
    const double ox = view.OffsetX;
    const double oy = view.OffsetY;
    const double sx = (dy * view.SinAngle - dx * view.CosAngle) + (view.PositionX * s + view.CentreX) -
                      ox * s + view.Width / 2.0;
    const double sy = (view.PositionY * s + view.CentreY) - (dy * view.CosAngle + dx * view.SinAngle) -
                      oy * s + view.Height / 2.0;
    if (!std::isfinite(sx) || !std::isfinite(sy)) {
        return {NAN, NAN};
    }
    return {RoundHalfEven(sx), RoundHalfEven(sy)};
}

// A position as a single-precision marker property: beyond the single range it is held at the
// largest finite value, so far-away points stay far away on the same side; NaN stays NaN.
inline float SinglePosition(double value) {
    constexpr double largest = std::numeric_limits<float>::max();
    if (std::abs(value) <= largest) {
        return static_cast<float>(value);
    }
    return std::isnan(value) ? NAN : static_cast<float>(std::copysign(largest, value));
}

} // namespace quillax
