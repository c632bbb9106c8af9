// The structure commands through the real window, from the command to the repainted picture: copy and
// paste of a 32,767-point mesh (alone, and among a million points), reverse and reorder in an object
// of a million points. Each command runs as its menu entry does, then the drawing area repaints at
// once; the undo that keeps the object as it was is not timed. Objects are seeded random walks.
#include "app/frmMain.h"
#include "bench/WindowBenchmarks.h"
#include "browse/ListBox.h"
#include "drawingarea/DrawingArea.h"
#include "randomwalk/RandomWalkObject.h"
#include "support/RecordingMessageBox.h"

#include <QAction>
#include <QApplication>
#include <QUndoStack>
#include <benchmark/benchmark.h>

#include <memory>

namespace quillax {

namespace {
// Argument 0: one mesh of 32,767 points; 1: a million points, the first mesh one of 32,767.
WindowWithFile WindowOf(int64_t million) {
    const char* const sizes = million != 0 ? "30x32767,1x16990" : "1x32767";
    auto window = LoadedWindow(RandomWalkObject({*ParseMeshSizes(sizes), 1}));
    window->LstMeshes->SetListIndex(0);
    QApplication::processEvents();
    return window;
}

QAction* Entry(const frmMain& window, const char* name) {
    return window.findChild<QAction*>(name);
}

// The command, then the picture painted; then, untimed, the object put back as it was.
void Timed(benchmark::State& state, frmMain& window, const char* command, int undos) {
    QAction* action = Entry(window, command);
    for (auto _ : state) {
        action->trigger();
        window.picMain->repaint();
        state.PauseTiming();
        for (int k = 0; k < undos; ++k) {
            window.Document().History().undo();
        }
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

void CopyMesh(benchmark::State& state) {
    RecordingMessageBox boxes;
    const auto window = WindowOf(state.range(0));
    Timed(state, *window, "mnuCopy", 0);
    CheckNoErrors(state, boxes);
}
// Wall time, and the CPU time of every thread of the process.
void Configure(benchmark::internal::Benchmark* benchmark) {
    benchmark->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
}

BENCHMARK(CopyMesh)->Arg(0)->Arg(1)->Apply(Configure);

void PasteMesh(benchmark::State& state) {
    RecordingMessageBox boxes;
    const auto window = WindowOf(state.range(0));
    Entry(*window, "mnuCopy")->trigger();
    Timed(state, *window, "mnuPaste", 1);
    CheckNoErrors(state, boxes);
}
BENCHMARK(PasteMesh)->Arg(0)->Arg(1)->Apply(Configure);

// A command on the first mesh of a million points.
void AmongAMillionPoints(benchmark::State& state, const char* command) {
    RecordingMessageBox boxes;
    const auto window = WindowOf(1);
    Timed(state, *window, command, 1);
    CheckNoErrors(state, boxes);
}
BENCHMARK_CAPTURE(AmongAMillionPoints, ReverseMesh, "mnuReverseMesh")->Apply(Configure);
BENCHMARK_CAPTURE(AmongAMillionPoints, MoveMeshDown, "mnuMoveMeshDown")->Apply(Configure);
} // namespace

} // namespace quillax

int main(int argc, char** argv) {
    return quillax::RunWindowBenchmarks(argc, argv);
}
