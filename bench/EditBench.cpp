// Editing large objects through the real window: a step of a drag (one point of a 32,767-point mesh,
// and 1,000 marked points), undoing the deletion of 10,000 points, and saving 1,000,000 points.
#include "app/frmMain.h"
#include "bench/WindowBenchmarks.h"
#include "browse/ListBox.h"
#include "document/DocumentEdits.h"
#include "drawingarea/DrawingArea.h"
#include "gestures/PointEditGesture.h"
#include "sampleobjects/LargeObject.h"
#include "support/RecordingMessageBox.h"

#include <QApplication>
#include <QUndoStack>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

namespace quillax {

namespace {
std::string TemporaryPath(const char* name) {
    return (std::filesystem::temp_directory_path() /
            ("quillax-edit-bench-" + std::to_string(getpid()) + "-" + name))
        .string();
}

QPoint Centre(const frmMain& window, int32_t n) {
    const NodeElement node = window.picMain->Scene().NodeAt(n);
    return {static_cast<int>(node.Left + node.Width / 2), static_cast<int>(node.Top + node.Height / 2)};
}

// Argument: how many points are marked and move (1: just the one under the pointer).
void DragStep(benchmark::State& state) {
    RecordingMessageBox boxes;
    const auto window = LoadedWindow(LargeObject(32767, 1));
    const auto marked = static_cast<int16_t>(state.range(0));
    for (int16_t k = 0; marked > 1 && k < marked; ++k) {
        CurrentPlacement.Selections[0].PointFlags[static_cast<size_t>(k * 20)] = -1;
    }
    const QPoint from = Centre(*window, 0);
    PointEditGesture edits(window->Document(), window->picMain->Scene());
    edits.DragBegan(from);
    TimeDragSteps(state, *window, edits, from);
    CheckNoErrors(state, boxes);
}
BENCHMARK(DragStep)->Arg(1)->Arg(1000)->Unit(benchmark::kMillisecond);

void UndoDeletionOf10000Points(benchmark::State& state) {
    RecordingMessageBox boxes;
    const auto window = LoadedWindow(LargeObject(32767, 1));
    for (size_t k = 0; k < 10000; ++k) {
        CurrentPlacement.Selections[0].PointFlags[k * 3] = -1;
    }
    DeleteMarkedPoints(window->Document());
    for (auto _ : state) {
        window->Document().History().undo();
        state.PauseTiming();
        window->Document().History().redo();
        state.ResumeTiming();
    }
}
BENCHMARK(UndoDeletionOf10000Points)->Unit(benchmark::kMillisecond);

void Save1000000Points(benchmark::State& state) {
    RecordingMessageBox boxes;
    const auto window = LoadedWindow(LargeObject(1000000, 31));
    const std::string path = TemporaryPath("out.lin");
    for (auto _ : state) {
        window->SaveObject(path);
    }
    std::filesystem::remove(path);
}
BENCHMARK(Save1000000Points)->Unit(benchmark::kMillisecond);
} // namespace

} // namespace quillax

using namespace quillax;

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}
