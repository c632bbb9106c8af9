#include "browse/StripGeometry.h"

#include <algorithm>

namespace quillax {

namespace {
// The position of a box across the flow (which line it is on) and along it (where on its line).
double Across(const BoxElement& box, BoxFlow flow) {
    return flow == BoxFlow::Rows ? box.Top : box.Left;
}

double Along(const BoxElement& box, BoxFlow flow) {
    return flow == BoxFlow::Rows ? box.Left : box.Top;
}

double Thickness(const BoxElement& box, BoxFlow flow) {
    return flow == BoxFlow::Rows ? box.Height : box.Width;
}

// The first index in [first, last) for which the monotone test holds, or last.
template <typename Test> int32_t FirstWhere(int32_t first, int32_t last, Test test) {
    while (first < last) {
        const int32_t middle = first + (last - first) / 2;
        if (test(middle)) {
            last = middle;
        } else {
            first = middle + 1;
        }
    }
    return first;
}

// The indices of the boxes that share a line.
struct Line {
    int32_t First;
    int32_t Last;
};

// The first box of the line of box index.
int32_t LineStart(const ElementArray<BoxElement>& boxes, BoxFlow flow, int32_t index) {
    const double across = Across(boxes(index), flow);
    return FirstWhere(0, index, [&](int32_t i) { return Across(boxes(i), flow) >= across; });
}

Line LineOf(const ElementArray<BoxElement>& boxes, BoxFlow flow, int32_t index) {
    const double across = Across(boxes(index), flow);
    const int32_t last =
        FirstWhere(index, boxes.Count(), [&](int32_t i) { return Across(boxes(i), flow) > across; }) - 1;
    return {LineStart(boxes, flow, index), last};
}

// The box of the line whose position along the flow is the last at or before along, else the first.
int32_t NearestOnLine(const ElementArray<BoxElement>& boxes, BoxFlow flow, Line line, double along) {
    const int32_t after =
        FirstWhere(line.First, line.Last + 1, [&](int32_t i) { return Along(boxes(i), flow) > along; });
    return std::max(line.First, after - 1);
}

bool Contains(const BoxElement& box, double x, double y) {
    return box.Visible && x >= box.Left && x < box.Left + box.Width && y >= box.Top &&
           y < box.Top + box.Height;
}
} // namespace

int16_t BoxAt(const ElementArray<BoxElement>& boxes, BoxFlow flow, double x, double y) {
    const double across = flow == BoxFlow::Rows ? y : x;
    const double along = flow == BoxFlow::Rows ? x : y;
    const int32_t lastOnOrBefore =
        FirstWhere(0, boxes.Count(), [&](int32_t i) { return Across(boxes(i), flow) > across; }) - 1;
    if (lastOnOrBefore < 0) {
        return -1;
    }
    // Every later box lies further across, so the line ends at lastOnOrBefore. A box that starts
    // past (x, y) along the line cannot hold it, so the nearest box before it is the only candidate.
    const Line line{LineStart(boxes, flow, lastOnOrBefore), lastOnOrBefore};
    const int32_t candidate = NearestOnLine(boxes, flow, line, along);
    return Contains(boxes(candidate), x, y) ? static_cast<int16_t>(candidate) : -1;
}

BoxSpan BoxesAcross(const ElementArray<BoxElement>& boxes, BoxFlow flow, double from, double to) {
    const int32_t first = FirstWhere(0, boxes.Count(), [&](int32_t i) {
        return Across(boxes(i), flow) + Thickness(boxes(i), flow) > from;
    });
    const int32_t end =
        FirstWhere(first, boxes.Count(), [&](int32_t i) { return Across(boxes(i), flow) >= to; });
    return {static_cast<int16_t>(first), static_cast<int16_t>(end - 1)};
}

int16_t NeighbourBox(const ElementArray<BoxElement>& boxes, BoxFlow flow, int16_t index, BoxStep step) {
    const int32_t last = boxes.Count() - 1;
    const int32_t here = std::clamp<int32_t>(index, 0, last);
    const bool forward = step == BoxStep::Right || step == BoxStep::Down;
    const bool alongFlow = (step == BoxStep::Left || step == BoxStep::Right) == (flow == BoxFlow::Rows);
    if (alongFlow) {
        return static_cast<int16_t>(std::clamp(here + (forward ? 1 : -1), 0, last));
    }
    const Line line = LineOf(boxes, flow, here);
    if (forward ? line.Last == last : line.First == 0) {
        return static_cast<int16_t>(here);
    }
    const Line next = LineOf(boxes, flow, forward ? line.Last + 1 : line.First - 1);
    return static_cast<int16_t>(NearestOnLine(boxes, flow, next, Along(boxes(here), flow)));
}

double PanelSizeAcross(float lastLine, float thickness) {
    return static_cast<double>(lastLine + thickness) + 6.0;
}

} // namespace quillax
