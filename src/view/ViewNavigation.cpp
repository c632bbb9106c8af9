#include "view/ViewNavigation.h"

#include "view/UnscaledBounds.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quillax {

namespace {
double CentreLine(float centre, int16_t extent) {
    return static_cast<double>(centre) + extent / 2.0;
}

bool Usable(double scale) {
    return std::isfinite(scale) && scale >= std::numeric_limits<float>::min() &&
           scale <= std::numeric_limits<float>::max();
}

// The offsets that put the unscaled position (a, b) in the middle of the area at zoom `scale`:
// S * (a - offset) + centre = 0.
ViewPlace MiddleAt(const ViewTransform& view, float scale, double a, double b) {
    return {scale, static_cast<float>(a + view.CentreX / static_cast<double>(scale)),
            static_cast<float>(b + view.CentreY / static_cast<double>(scale))};
}

// How far the zoom may go to fit an extent into the room; none for an extent of nothing.
std::optional<double> FittingScale(const AxisBounds& bounds, double room) {
    const double extent = bounds.High - bounds.Low;
    if (!(extent > 0)) {
        return std::nullopt;
    }
    return std::max(room, 1.0) / extent;
}
} // namespace

ModelPoint ScreenToModel(const ViewTransform& view, double x, double y) {
    const double s = view.Scale;
    const double a = (x - CentreLine(view.CentreX, view.Width)) / s + view.OffsetX - view.PositionX;
    const double b = (y - CentreLine(view.CentreY, view.Height)) / s + view.OffsetY - view.PositionY;
    return {view.CentreX + a * view.CosAngle + b * view.SinAngle,
            view.CentreY - a * view.SinAngle + b * view.CosAngle};
}

ViewPlace ZoomedAbout(const ViewTransform& view, float newScale, double x, double y) {
    const double shrink = 1.0 / view.Scale - 1.0 / newScale;
    return {newScale, static_cast<float>(view.OffsetX + (x - CentreLine(view.CentreX, view.Width)) * shrink),
            static_cast<float>(view.OffsetY + (y - CentreLine(view.CentreY, view.Height)) * shrink)};
}

ViewPlace CentredOn(const ViewTransform& view, double x, double y) {
    const Unscaled point = UnscaledOf(view, x, y);
    return MiddleAt(view, view.Scale, point.A, point.B);
}

ViewPlace PannedBy(const ViewTransform& from, double dx, double dy) {
    return {from.Scale, static_cast<float>(from.OffsetX - dx / from.Scale),
            static_cast<float>(from.OffsetY - dy / from.Scale)};
}

std::optional<ViewPlace> FittedView(const ObjectFile& object, const ViewTransform& view, double margin) {
    const auto [across, down] = UnscaledBoundsOf(object, view);
    if (!(across.Low <= across.High)) {
        return std::nullopt;
    }
    const std::optional<double> byWidth = FittingScale(across, view.Width - 2 * margin);
    const std::optional<double> byHeight = FittingScale(down, view.Height - 2 * margin);
    double scale = view.Scale;
    if (byWidth || byHeight) {
        scale = std::min(byWidth.value_or(std::numeric_limits<double>::infinity()),
                         byHeight.value_or(std::numeric_limits<double>::infinity()));
    }
    scale = std::clamp<double>(scale, std::numeric_limits<float>::min(), std::numeric_limits<float>::max());
    const auto fitted = static_cast<float>(scale);
    // The middle of the points lands on the middle of the area.
    const ViewPlace place = MiddleAt(view, fitted, across.Middle(), down.Middle());
    if (!Usable(fitted) || !std::isfinite(place.OffsetX) || !std::isfinite(place.OffsetY)) {
        return std::nullopt;
    }
    return place;
}

} // namespace quillax
