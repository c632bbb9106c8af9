#pragma once

#include "objects/modObjects.h"
#include "view/ViewTransform.h"

#include <limits>

namespace quillax {

// A point's position at zoom 1 without the offsets: x = S * (a - OffsetX) + CentreX + Width / 2.
struct Unscaled {
    double A;
    double B;
};

inline Unscaled UnscaledOf(const ViewTransform& view, double x, double y) {
    const double u = x - view.CentreX;
    const double v = y - view.CentreY;
    return {u * view.CosAngle - v * view.SinAngle + view.PositionX,
            u * view.SinAngle + v * view.CosAngle + view.PositionY};
}

// The least and greatest of some values, NaN passed over.
struct AxisBounds {
    double Low = std::numeric_limits<double>::infinity();
    double High = -std::numeric_limits<double>::infinity();

    // Written as selects, so that a million points take no branch each.
    void Add(double value) {
        Low = value < Low ? value : Low;
        High = value > High ? value : High;
    }
    void Include(const AxisBounds& other) {
        Low = other.Low < Low ? other.Low : Low;
        High = other.High > High ? other.High : High;
    }
    double Middle() const { return (Low + High) / 2; }
};

// Where the points of an object lie as the view turns them, at zoom 1 and without its offsets: a
// point's position is then x = S * (a - OffsetX) + CentreX + Width / 2, and y the same of b. Points
// without a finite coordinate are passed over.
struct UnscaledBounds {
    AxisBounds Across;
    AxisBounds Down;
};

// Every point of every mesh; a large object is shared out between the processor's cores, and every
// thread is joined before this returns.
UnscaledBounds UnscaledBoundsOf(const ObjectFile& object, const ViewTransform& view);

} // namespace quillax
