#pragma once

#include "browse/BoxElement.h"
#include "platform/ElementArray.h"

#include <cstdint>

namespace quillax {

// How the layout flows a strip's boxes: the point strip in rows, the line strip in columns. Every
// search below relies on that order, which the layout always leaves: along the index the lines
// (rows or columns) never go back, and within a line the boxes never go back. Boxes share one size.
enum class BoxFlow { Rows, Columns };

enum class BoxStep { Left, Right, Up, Down };

// The shown box under (x, y), or -1; where boxes overlap, the last one (it is painted on top).
// O(log n).
int16_t BoxAt(const ElementArray<BoxElement>& boxes, BoxFlow flow, double x, double y);

// Indices First..Last of the boxes whose lines cross the band [from, to) across the flow (a range of
// y for rows, of x for columns); empty when First > Last. O(log n).
struct BoxSpan {
    int16_t First = 0;
    int16_t Last = -1;
};
BoxSpan BoxesAcross(const ElementArray<BoxElement>& boxes, BoxFlow flow, double from, double to);

// The box one keyboard step away from box index: along the flow the next or previous index, across it
// the nearest box of the neighbouring line. Stays put at the ends. O(log n).
int16_t NeighbourBox(const ElementArray<BoxElement>& boxes, BoxFlow flow, int16_t index, BoxStep step);

// The size across the flow of a strip's panel whose last line lies at lastLine, its boxes thickness
// thick: the boxes and a margin. In double so the scroll range sees the exact sum; the layout rounds
// it to single precision, which gives what single-precision arithmetic would.
double PanelSizeAcross(float lastLine, float thickness);

} // namespace quillax
