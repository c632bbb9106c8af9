#include "app/LayoutBatch.h"

#include "app/PanelLayout.h"
#include "app/frmMain.h"
#include "browse/StripState.h"

#include <algorithm>

namespace quillax {

void LayoutBatch::Grow(ElementArray<BoxElement>& strip) {
    if (!GrowStrip(strip)) {
        return;
    }
    if (!Batching) {
        Window.ArrangePanels();
        return;
    }
    Added.push_back(&strip);
    if (!(Settled && *Settled == Read())) {
        RunPending();
    }
}

// Beyond ten rows the strip scrolls and keeps its height, however many rows it has.
LayoutBatch::Inputs LayoutBatch::Read() const {
    return {std::min(PointRows.LinesFor(Window.picPoint, Window.ScaleWidth()), MaxStripLines + 1),
            Window.ScaleWidth(), Window.ScaleHeight(), Window.height()};
}

void LayoutBatch::RunPending() {
    if (Added.empty()) {
        return;
    }
    const Inputs before = Read();
    try {
        Window.ArrangePanels();
    } catch (...) {
        AddAgainOneRunEach();
        throw;
    }
    Added.clear();
    const Inputs after = Read();
    Settled = after == before ? std::optional(after) : std::nullopt;
}

void LayoutBatch::AddAgainOneRunEach() {
    std::vector<ElementArray<BoxElement>*> added;
    added.swap(Added);
    Settled.reset();
    for (auto strip = added.rbegin(); strip != added.rend(); ++strip) {
        ShrinkStrip(**strip);
    }
    for (ElementArray<BoxElement>* strip : added) {
        GrowStrip(*strip);
        Window.ArrangePanels();
    }
}

} // namespace quillax
