#include "app/StripFlow.h"

#include "platform/Numeric.h"

#include <algorithm>

namespace quillax {

namespace {
constexpr float FirstPlace = 1;
constexpr float Gap = 3;

bool SameGeometry(const BoxElement& a, const BoxElement& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Width == b.Width && a.Height == b.Height;
}
} // namespace

FlowEnd FlowOfLines(FlowEnd flow, int32_t lines) {
    flow.Across = ToInt16(FirstPlace + static_cast<float>(lines - 1) * (flow.LastAcrossSize + Gap));
    return flow;
}

StripFlow::StripFlow(BoxFlow flow)
    : AlongPosition(flow == BoxFlow::Rows ? &BoxElement::Left : &BoxElement::Top),
      AlongSize(flow == BoxFlow::Rows ? &BoxElement::Width : &BoxElement::Height),
      AcrossPosition(flow == BoxFlow::Rows ? &BoxElement::Top : &BoxElement::Left),
      AcrossSize(flow == BoxFlow::Rows ? &BoxElement::Height : &BoxElement::Width),
      Margin(flow == BoxFlow::Rows ? 5.0f : 28.0f) {}

FlowEnd StripFlow::Run(ElementArray<BoxElement>& boxes, float extent) {
    if (!StillValid(boxes, extent)) {
        Reset();
    }
    while (Placed < boxes.Count()) {
        PlaceNext(boxes, extent);
    }
    return {Across, boxes(boxes.Count() - 1).*AcrossSize};
}

// Every box is a copy of box 0, so every row (column) holds as many boxes as the first.
int32_t StripFlow::LinesFor(const ElementArray<BoxElement>& boxes, float extent) const {
    const float size = boxes(0).*AlongSize;
    if (!(size == PerLineSize && extent == PerLineExtent)) {
        PerLine = 0;
        float along = FirstPlace;
        while (PerLine < std::numeric_limits<int16_t>::max() && !(along + size + Margin > extent)) {
            ++PerLine;
            along = static_cast<float>(RoundHalfEven(along + size + Gap));
        }
        PerLineSize = size;
        PerLineExtent = extent;
    }
    return PerLine == 0 ? 1 : (boxes.Count() + PerLine - 1) / PerLine;
}

bool StripFlow::StillValid(const ElementArray<BoxElement>& boxes, float extent) const {
    return Placed > 0 && Placed <= boxes.Count() && extent >= AtLeast && extent < Below &&
           SameGeometry(boxes(0), First) && SameGeometry(boxes(Placed - 1), Last);
}

void StripFlow::Reset() {
    Placed = 0;
    Along = 1;
    Across = 1;
    Cramped = false;
    AtLeast = -std::numeric_limits<float>::infinity();
    Below = std::numeric_limits<float>::infinity();
}

// One step of the flow. The state changes only once the box is fully placed, so a failed step is
// simply taken again by the next run.
void StripFlow::PlaceNext(ElementArray<BoxElement>& boxes, float extent) {
    const int32_t index = Placed;
    BoxElement& box = boxes(index);
    int16_t along = Along;
    int16_t across = Across;
    bool cramped = Cramped;
    float atLeast = AtLeast;
    float below = Below;
    // Box 0 has no row to leave: if it does not fit, the window has no room for the strip at all.
    const float reach = static_cast<float>(along) + box.*AlongSize + Margin;
    const bool fits = cramped || !(reach > extent);
    if (!cramped && fits) {
        atLeast = std::max(atLeast, reach);
    } else if (!cramped) {
        below = std::min(below, reach);
    }
    if (index == 0) {
        cramped = !fits;
    } else if (!fits) {
        along = 1;
        across = ToInt16(static_cast<float>(across) + boxes(index - 1).*AcrossSize + Gap);
    }
    box.*AlongPosition = cramped ? FirstPlace : static_cast<float>(along);
    box.*AcrossPosition = cramped ? FirstPlace : static_cast<float>(across);
    if (!cramped) {
        along = ToInt16(static_cast<float>(along) + box.*AlongSize + Gap);
    }
    if (index == 0) {
        First = box;
    }
    Last = box;
    Along = along;
    Across = across;
    Cramped = cramped;
    AtLeast = atLeast;
    Below = below;
    Placed = index + 1;
}

} // namespace quillax
