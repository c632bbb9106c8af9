// The precision tools on the largest mesh through the real window: each turn, scale and flip of
// 32,767 marked points, and a snapped drag step of 1,000 marked points, each redrawn and repainted.
#include "app/frmMain.h"
#include "bench/WindowBenchmarks.h"
#include "document/TransformEdits.h"
#include "drawingarea/DrawingArea.h"
#include "gestures/PointEditGesture.h"
#include "sampleobjects/LargeObject.h"
#include "support/RecordingMessageBox.h"

#include <QUndoStack>
#include <benchmark/benchmark.h>

#include <functional>

namespace quillax {

namespace {
constexpr int32_t MeshPoints = 32767;

void MarkEvery(int32_t step) {
    std::vector<int16_t>& flags = CurrentPlacement.Selections[0].PointFlags;
    for (size_t k = 0; k < flags.size(); k += static_cast<size_t>(step)) {
        flags[k] = -1;
    }
}

// One edit of every point of the mesh, through the handler guard as a menu entry runs it, then
// painted; undone outside the timing, so each step starts from the loaded points.
void Transform(benchmark::State& state, const std::function<void(ObjectDocument&)>& edit) {
    RecordingMessageBox boxes;
    const auto window = LoadedWindow(LargeObject(MeshPoints, 1));
    MarkEvery(1);
    for (auto _ : state) {
        window->RunHandler([&] { edit(window->Document()); });
        window->picMain->repaint();
        state.PauseTiming();
        window->Document().History().undo();
        state.ResumeTiming();
    }
    CheckNoErrors(state, boxes);
}

void RotateBy30Degrees(benchmark::State& state) {
    Transform(state,
              [](ObjectDocument& document) { RotatePoints(document, 30, TransformAbout::MarkedPoints); });
}
BENCHMARK(RotateBy30Degrees)->Unit(benchmark::kMillisecond);

void RotateBy90Degrees(benchmark::State& state) {
    Transform(state,
              [](ObjectDocument& document) { RotatePoints(document, 90, TransformAbout::ObjectCentre); });
}
BENCHMARK(RotateBy90Degrees)->Unit(benchmark::kMillisecond);

void ScaleByTwoAndAHalf(benchmark::State& state) {
    Transform(state,
              [](ObjectDocument& document) { ScalePoints(document, 2, 0.5, TransformAbout::MarkedPoints); });
}
BENCHMARK(ScaleByTwoAndAHalf)->Unit(benchmark::kMillisecond);

void FlipHorizontally(benchmark::State& state) {
    Transform(state,
              [](ObjectDocument& document) { FlipPoints(document, true, TransformAbout::MarkedPoints); });
}
BENCHMARK(FlipHorizontally)->Unit(benchmark::kMillisecond);

void FlipVertically(benchmark::State& state) {
    Transform(state,
              [](ObjectDocument& document) { FlipPoints(document, false, TransformAbout::ObjectCentre); });
}
BENCHMARK(FlipVertically)->Unit(benchmark::kMillisecond);

// Every step lands the grabbed point on the next grid crossing and takes the other 999 with it.
void SnappedDragStepOf1000Points(benchmark::State& state) {
    RecordingMessageBox boxes;
    const auto window = LoadedWindow(LargeObject(MeshPoints, 1));
    MarkEvery(MeshPoints / 1000 + 1);
    const NodeElement node = window->picMain->Scene().NodeAt(0);
    const QPoint from(static_cast<int>(node.Left + node.Width / 2),
                      static_cast<int>(node.Top + node.Height / 2));
    GridSnap snap;
    snap.On = true;
    PointEditGesture edits(window->Document(), window->picMain->Scene(), snap);
    edits.DragBegan(from);
    const int cell = window->picMain->Scene().CellSize();
    int step = 0;
    for (auto _ : state) {
        step = step == 1 ? -1 : 1;
        window->RunHandler([&] { edits.Dragged(from, from + QPoint(step * cell, 0)); });
        window->picMain->repaint();
    }
    edits.DragEnded(from, from);
    CheckNoErrors(state, boxes);
}
BENCHMARK(SnappedDragStepOf1000Points)->Unit(benchmark::kMillisecond);
} // namespace

} // namespace quillax

int main(int argc, char** argv) {
    return quillax::RunWindowBenchmarks(argc, argv);
}
