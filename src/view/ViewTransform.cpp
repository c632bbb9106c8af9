#include "view/ViewTransform.h"

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

} // namespace quillax
