#pragma once

#include "browse/BoxElement.h"
#include "browse/StripGeometry.h"
#include "platform/ElementArray.h"

#include <cstdint>
#include <limits>

namespace quillax {

// Where a flow ended: the cross position of the last row (its y) or column (its x), and the cross
// size of the last box; the strip's panel is sized from them.
struct FlowEnd {
    int16_t Across = 1;
    float LastAcrossSize = 0;

    // Across the flow, as PanelSizeAcross gives it, in the layout's single precision.
    float PanelSize() const {
        return static_cast<float>(PanelSizeAcross(static_cast<float>(Across), LastAcrossSize));
    }
};

// Where the flow would end after `lines` lines of boxes like its last: a strip that scrolls keeps its
// panel that size.
FlowEnd FlowOfLines(FlowEnd flow, int32_t lines);

// Point boxes fill rows, left to right, within the window's inner width; line boxes fill columns,
// top to bottom, within its inner height. Places every box of a strip exactly where flowing them all
// afresh would, but keeps the flow so
// that the next run only places boxes added since. The kept flow stays valid while the extent
// (inner width for rows, inner height for columns) decides every fit test as it did, while no box
// was removed, and while box 0 and the last placed box keep their geometry; otherwise the strip is
// flowed afresh. Boxes are never resized once placed: every box is a copy of element 0.
class StripFlow {
public:
    explicit StripFlow(BoxFlow flow);

    // Places the boxes for the given extent and reports where the flow ended. An overflow of a
    // running position raises error 6, with the boxes before it placed.
    FlowEnd Run(ElementArray<BoxElement>& boxes, float extent);
    // How many rows (columns) a run for this extent would give, without placing a box.
    int32_t LinesFor(const ElementArray<BoxElement>& boxes, float extent) const;

private:
    bool StillValid(const ElementArray<BoxElement>& boxes, float extent) const;
    void Reset();
    void PlaceNext(ElementArray<BoxElement>& boxes, float extent);

    float BoxElement::*AlongPosition;
    float BoxElement::*AlongSize;
    float BoxElement::*AcrossPosition;
    float BoxElement::*AcrossSize;
    float Margin;

    int32_t Placed = 0;
    int16_t Along = 1;
    int16_t Across = 1;
    // No room for the first box: every box stays at the first place.
    bool Cramped = false;
    // The kept fit tests hold for every extent in [AtLeast, Below).
    float AtLeast = -std::numeric_limits<float>::infinity();
    float Below = std::numeric_limits<float>::infinity();
    BoxElement First;
    BoxElement Last;
    // The boxes a line holds, kept for the size and extent it was worked out for: the layout asks on
    // every run, once per box of a growing strip.
    mutable float PerLineSize = -1;
    mutable float PerLineExtent = -1;
    mutable int32_t PerLine = 0;
};

} // namespace quillax
