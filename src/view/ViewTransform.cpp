#include "view/ViewTransform.h"

#include "platform/Numeric.h"

#include <cmath>

namespace quillax {

bool ScreenPoint::IsFinite() const {
    return std::isfinite(X) && std::isfinite(Y);
}

ViewTransform MakeViewTransform(const ObjectFile& object, const ObjectPlacement& placement, float viewScale,
                                float offsetX, float offsetY, int16_t width, int16_t height) {
    const double angle = placement.Angle;
    return ViewTransform{viewScale,
                         object.CentreX,
                         object.CentreY,
                         placement.PositionX,
                         placement.PositionY,
                         std::sin(angle),
                         std::cos(angle),
                         offsetX,
                         offsetY,
                         width,
                         height};
}

ScreenPoint ModelToScreen(const ViewTransform& view, float x, float y) {
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

} // namespace quillax
