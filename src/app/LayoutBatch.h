#pragma once

#include "app/StripFlow.h"
#include "browse/BoxElement.h"
#include "platform/ElementArray.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace quillax {

class frmMain;

// The layout runs the strips ask for, one after each box they add: building the strips of an N-point
// mesh asks for 2N - 3. Every run places every box and panel afresh and sets the minimum height, so a
// run leaves nothing the next one does not redo but a growth step of the window and an error. Inside a
// batch a run is therefore taken only where one of those can differ from the last run's: when the
// point strip has another number of rows (the minimum height follows them), when the window is not
// as the last run left it, when the last run grew it, and after the batch's last box. A run left out
// raises no error of its own: the next run meets it, and the boxes added since the last run are then
// taken back and added again with a run after each, so the error comes from the box that raised it
// and no box after it is added.
class LayoutBatch {
public:
    LayoutBatch(frmMain& window, const StripFlow& pointRows) : Window(window), PointRows(pointRows) {}

    // Adds a box, as LoadPointBoxes and LoadLineBoxes do, and runs the layout after it if a box was
    // created, unless a batch leaves the run out.
    void Grow(ElementArray<BoxElement>& strip);
    // Calls `steps`, which add boxes with Grow, as one batch; a batch inside a batch is part of it.
    template <typename Steps> void Batch(Steps&& steps);

private:
    // What decides whether a run can grow the window.
    struct Inputs {
        int32_t PointRows = 0;
        float ScaleWidth = 0;
        float ScaleHeight = 0;
        int32_t WindowHeight = 0;

        bool operator==(const Inputs&) const = default;
    };
    Inputs Read() const;
    void RunPending();
    void AddAgainOneRunEach();

    frmMain& Window;
    const StripFlow& PointRows;
    bool Batching = false;
    // The boxes added since the last run, and what that run left when it did not grow the window.
    std::vector<ElementArray<BoxElement>*> Added;
    std::optional<Inputs> Settled;
};

template <typename Steps> void LayoutBatch::Batch(Steps&& steps) {
    if (Batching) {
        steps();
        return;
    }
    Batching = true;
    Settled.reset();
    try {
        steps();
    } catch (...) {
        // What the boxes before the failing step left; an error of that run is the one raised first.
        Batching = false;
        RunPending();
        throw;
    }
    Batching = false;
    RunPending();
}

} // namespace quillax
