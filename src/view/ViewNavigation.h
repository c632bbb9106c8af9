#pragma once

#include "objects/modObjects.h"
#include "view/ViewTransform.h"

#include <optional>

namespace quillax {

// Moving around the object: the zoom and pan offsets that keep a point in place, follow the
// pointer, or show everything. Positions here are drawing-area positions before rounding: the
// marker of a point at position x is drawn centred on pixel round(x), whose middle is x + 0.5.

// Where the view looks.
struct ViewPlace {
    float Scale = 4;
    float OffsetX = 0;
    float OffsetY = 0;
};

struct ModelPoint {
    double X = 0;
    double Y = 0;
};

// The position whose marker is drawn on the pixel under a pointer coordinate.
inline double PositionUnder(double pointer) {
    return pointer - 0.5;
}

// The model point drawn at position (x, y): ModelToScreen undone, rounding aside.
ModelPoint ScreenToModel(const ViewTransform& view, double x, double y);

// The zoom newScale with the offsets that keep the model point at position (x, y) where it is.
ViewPlace ZoomedAbout(const ViewTransform& view, float newScale, double x, double y);

// The offsets that move the picture of `from` by (dx, dy) pixels.
ViewPlace PannedBy(const ViewTransform& from, double dx, double dy);

// The offsets that put the model point (x, y) in the middle of the area at the view's zoom.
ViewPlace CentredOn(const ViewTransform& view, double x, double y);

// Room that Home keeps between the fitted object and the area's edges, in pixels: a marked marker is 5
// pixels wide.
inline constexpr double HomeMargin = 10;

// The zoom and offsets that show every point with a finite position inside the area with `margin`
// pixels to spare on every side, centred; none when no point has one. A single point, or points in a
// line along one axis, keep the zoom they are seen at along the axis without extent.
std::optional<ViewPlace> FittedView(const ObjectFile& object, const ViewTransform& view, double margin);

} // namespace quillax
