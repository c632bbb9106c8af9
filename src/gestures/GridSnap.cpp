#include "gestures/GridSnap.h"

#include "platform/Numeric.h"

#include <algorithm>
#include <cmath>

namespace quillax {

namespace {
double Snapped(double value, double spacing) {
    return std::isfinite(value) ? RoundHalfEven(value / spacing) * spacing : value;
}
} // namespace

ModelPoint GridSnap::Placed(ModelPoint point, int16_t spacing) const {
    return On ? SnappedToGrid(point, spacing) : point;
}

ModelPoint SnappedToGrid(ModelPoint point, int16_t spacing) {
    const double cell = std::max<int16_t>(spacing, 1);
    return {Snapped(point.X, cell), Snapped(point.Y, cell)};
}

} // namespace quillax
