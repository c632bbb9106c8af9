#pragma once

#include "view/ViewNavigation.h"

#include <cstdint>

namespace quillax {

// Whether drags, inserts and new points land on the grid's crossings: the multiples of the grid
// spacing in model units from the object's origin, where the grid draws its lines. The window holds
// the one setting, which lasts until it closes.
class GridSnap {
public:
    bool On = false;

    // The point itself when snapping is off; else the nearest crossing.
    ModelPoint Placed(ModelPoint point, int16_t spacing) const;
    // A step of the arrow keys: one unit, or one grid spacing when snapping is on.
    double Step(int16_t spacing) const { return On ? spacing : 1; }
};

// The crossing of a grid of `spacing` nearest to the point; a coordinate that is not finite stays.
ModelPoint SnappedToGrid(ModelPoint point, int16_t spacing);

// Snapping is off.
inline const GridSnap NoGridSnap{};

} // namespace quillax
