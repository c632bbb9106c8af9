// Moving around large objects through the real window: a pan step and a wheel step (redraw and
// repaint included), fitting the view, and choosing a mesh of 32,767 points with its strips.
#include "app/frmMain.h"
#include "bench/WindowBenchmarks.h"
#include "browse/ListBox.h"
#include "drawingarea/DrawingArea.h"
#include "gestures/NavigationGesture.h"
#include "sampleobjects/LargeObject.h"
#include "support/RecordingMessageBox.h"
#include "view/ViewNavigation.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

namespace quillax {

namespace {
// Objects of 100,000 to 10,000,000 points.
void LargeSizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->Arg(100000)
        ->Arg(1000000)
        ->Arg(10000000)
        ->Unit(benchmark::kMillisecond)
        ->MeasureProcessCPUTime()
        ->UseRealTime();
}

// Argument: points, in meshes of 10,000.
void PanStep(benchmark::State& state) {
    RecordingMessageBox boxes;
    const auto window = LoadedWindow(
        LargeObject(static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(0) / 10000)));
    NavigationGesture navigation(window->picMain->Scene());
    navigation.PanBegan();
    double moved = 0;
    for (auto _ : state) {
        moved = moved > 0 ? -1 : 1;
        navigation.Panned(QPointF(moved, moved));
        window->picMain->repaint();
    }
    CheckNoErrors(state, boxes);
}
BENCHMARK(PanStep)->Apply(LargeSizes);

void WheelStep(benchmark::State& state) {
    RecordingMessageBox boxes;
    const auto window = LoadedWindow(
        LargeObject(static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(0) / 10000)));
    const QPointF pointer(200.5, 150.5);
    NavigationGesture navigation(window->picMain->Scene());
    int32_t notch = -1;
    for (auto _ : state) {
        notch = -notch;
        navigation.Wheeled(notch, pointer);
        window->picMain->repaint();
    }
    CheckNoErrors(state, boxes);
}
BENCHMARK(WheelStep)->Apply(LargeSizes);

// The fitted view alone, and Home as the user presses it (the redraw and repaint included).
void FitViewOnly(benchmark::State& state) {
    RecordingMessageBox boxes;
    const auto window = LoadedWindow(LargeObject(1000000, 100));
    for (auto _ : state) {
        benchmark::DoNotOptimize(FittedView(CurrentObject, window->picMain->Scene().View(), 10));
    }
    CheckNoErrors(state, boxes);
}
BENCHMARK(FitViewOnly)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void FitViewAndRedraw(benchmark::State& state) {
    RecordingMessageBox boxes;
    const auto window = LoadedWindow(LargeObject(1000000, 100));
    NavigationGesture navigation(window->picMain->Scene());
    for (auto _ : state) {
        navigation.FitView();
        window->picMain->repaint();
    }
    CheckNoErrors(state, boxes);
}
BENCHMARK(FitViewAndRedraw)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// From a mesh of 10 points to one of 32,767: the strips grow to it, held at ten lines.
void ChooseLargestMesh(benchmark::State& state) {
    RecordingMessageBox boxes;
    ObjectFile object = LargeObject(32767, 1);
    object.Meshes.push_back(LargeObject(10, 1).Meshes.front());
    object.MeshCount = 2;
    const auto window = LoadedWindow(object);
    for (auto _ : state) {
        state.PauseTiming();
        window->LstMeshes->SetListIndex(1);
        state.ResumeTiming();
        window->LstMeshes->SetListIndex(0);
        QApplication::processEvents();
    }
    CheckNoErrors(state, boxes);
}
BENCHMARK(ChooseLargestMesh)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
} // namespace

} // namespace quillax

using namespace quillax;

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}
