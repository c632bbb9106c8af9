// A million points through the real window: "Load File" from the click until the window is idle
// again (process CPU time, every thread counted), RedrawView plus one repaint, a pan step, and painting
// far out and close in; ten million points: every gesture and the memory. Objects are seeded random walks, as
// make-random-walk-object writes them. Run by hand, on the offscreen platform or on a display
// (QT_QPA_PLATFORM=xcb DISPLAY=:99): build/bin/large_object_bench [--benchmark_filter=...]
// [--benchmark_repetitions=5]
#include "app/frmMain.h"
#include "bench/WindowBenchmarks.h"
#include "browse/ListBox.h"
#include "drawingarea/DrawingArea.h"
#include "gestures/NavigationGesture.h"
#include "gestures/PointEditGesture.h"
#include "platform/ProgramFolder.h"
#include "randomwalk/RandomWalkObject.h"
#include "support/RecordingMessageBox.h"
#include "view/ViewZoom.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

namespace quillax {

namespace {
// Benchmark argument: the points of the first mesh of a million points in all, or TenMillion: 305
// meshes of 32,767 points.
constexpr int64_t TenMillion = 10000000;

std::vector<int16_t> MeshSizes(int64_t firstMesh) {
    const std::string spec = firstMesh == TenMillion ? "305x32767"
                             : firstMesh == 10       ? "1x10,30x32767,1x16980"
                                                     : "30x32767,1x16990";
    return *ParseMeshSizes(spec);
}

double PointCount(int64_t firstMesh) {
    double points = 0;
    for (const int16_t size : MeshSizes(firstMesh)) {
        points += size;
    }
    return points;
}

std::filesystem::path Workspace() {
    static const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("quillax-large-bench-" + std::to_string(getpid()));
    return folder;
}

// Writes the object where "Load File" looks for it and points the program folder there.
void WriteObject(int64_t firstMesh) {
    std::filesystem::create_directories(Workspace() / "bin" / "exe");
    std::filesystem::create_directories(Workspace() / "Assets");
    WriteRandomWalkFile((Workspace() / "Assets" / "PlayerTopb.lin").string(),
                        RandomWalkObject({MeshSizes(firstMesh), 1}));
    SetProgramFolder((Workspace() / "bin" / "exe").string());
}

// Runs the event loop until nothing is left to do, then a little longer for what the window
// system sends late.
void RunUntilIdle() {
    while (QAbstractEventDispatcher::instance()->processEvents(QEventLoop::AllEvents)) {
    }
    QTest::qWait(20);
}

std::unique_ptr<frmMain> OpenWindow() {
    auto window = std::make_unique<frmMain>();
    window->show();
    RunUntilIdle();
    return window;
}

long ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

// A new window each time, as a user starting the editor would have: the layout grows it again.
void LoadFileClickToIdle(benchmark::State& state) {
    RecordingMessageBox boxes;
    WriteObject(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto window = OpenWindow();
        state.ResumeTiming();
        window->cmdLoadFile->click();
        RunUntilIdle();
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    CheckNoErrors(state, boxes);
}

// The resident memory a loaded object adds to the empty editor; run it alone, since what earlier
// benchmarks freed can be reused.
void ResidentPerPoint(benchmark::State& state) {
    RecordingMessageBox boxes;
    WriteObject(state.range(0));
    const auto window = OpenWindow();
    const long empty = ResidentBytes();
    for (auto _ : state) {
        window->cmdLoadFile->click();
        RunUntilIdle();
    }
    state.counters["bytes_per_point"] =
        static_cast<double>(ResidentBytes() - empty) / PointCount(state.range(0));
    CheckNoErrors(state, boxes);
}

// The loaded window with the grid on, as it opens.
std::unique_ptr<frmMain> LoadedWindow(int64_t firstMesh) {
    WriteObject(firstMesh);
    auto window = OpenWindow();
    window->cmdLoadFile->click();
    RunUntilIdle();
    return window;
}

void SetAreaCounters(benchmark::State& state, const frmMain& window) {
    state.counters["width"] = window.picMain->width();
    state.counters["height"] = window.picMain->height();
}

void RedrawAndRepaint(benchmark::State& state) {
    RecordingMessageBox boxes;
    const auto window = LoadedWindow(state.range(0));
    for (auto _ : state) {
        window->RedrawView();
        window->picMain->repaint();
    }
    SetAreaCounters(state, *window);
    CheckNoErrors(state, boxes);
}

// One step of a drag: the offsets move by a few pixels' worth of model units, then the redraw and
// one repaint.
void PanStep(benchmark::State& state) {
    RecordingMessageBox boxes;
    const auto window = LoadedWindow(state.range(0));
    float direction = 1;
    for (auto _ : state) {
        window->picMain->Scene().ViewOffsetX += 1.25f * direction;
        window->picMain->Scene().ViewOffsetY -= 0.75f * direction;
        direction = -direction;
        window->RedrawView();
        window->picMain->repaint();
    }
    SetAreaCounters(state, *window);
    CheckNoErrors(state, boxes);
}

// The gestures at ten million points, each with its repaint: a wheel notch in and out again about a
// point of the area, Home, a step of a drag of one point, and choosing another mesh of 32,767 points
// in the list (its strips built, the picture repainted).
void WheelStep(benchmark::State& state) {
    RecordingMessageBox boxes;
    const auto window = LoadedWindow(state.range(0));
    NavigationGesture navigation(window->picMain->Scene());
    int32_t notch = -1;
    for (auto _ : state) {
        notch = -notch;
        navigation.Wheeled(notch, QPointF(200.5, 150.5));
        window->picMain->repaint();
    }
    CheckNoErrors(state, boxes);
}

void HomeStep(benchmark::State& state) {
    RecordingMessageBox boxes;
    const auto window = LoadedWindow(state.range(0));
    NavigationGesture navigation(window->picMain->Scene());
    for (auto _ : state) {
        navigation.FitView();
        window->picMain->repaint();
    }
    CheckNoErrors(state, boxes);
}

// The first point of the chosen mesh whose marker lies inside the area, where a drag can grab it.
QPoint PointInside(const frmMain& window) {
    const MeshScene& scene = window.picMain->Scene();
    for (int32_t n = 0; n < scene.Node.Count(); ++n) {
        const NodeElement node = scene.NodeAt(n);
        const QPoint centre(static_cast<int>(node.Left + node.Width / 2),
                            static_cast<int>(node.Top + node.Height / 2));
        if (window.picMain->rect().contains(centre)) {
            return centre;
        }
    }
    return {};
}

void DragStep(benchmark::State& state) {
    RecordingMessageBox boxes;
    const auto window = LoadedWindow(state.range(0));
    const QPoint from = PointInside(*window);
    PointEditGesture edits(window->Document(), window->picMain->Scene());
    if (!edits.DragBegan(from)) {
        state.SkipWithError("no point to drag");
        return;
    }
    TimeDragSteps(state, *window, edits, from);
    CheckNoErrors(state, boxes);
}

void ChooseMesh(benchmark::State& state) {
    RecordingMessageBox boxes;
    const auto window = LoadedWindow(state.range(0));
    int32_t mesh = 0;
    for (auto _ : state) {
        mesh = 1 - mesh;
        window->LstMeshes->SetListIndex(mesh);
        QApplication::processEvents();
    }
    CheckNoErrors(state, boxes);
}

// The two halves of a redraw: placing every marker, and painting them over the background.
void PlaceOnly(benchmark::State& state) {
    RecordingMessageBox boxes;
    const auto window = LoadedWindow(state.range(0));
    for (auto _ : state) {
        window->picMain->Scene().PlaceMarkers();
    }
    CheckNoErrors(state, boxes);
}

void PaintOnly(benchmark::State& state) {
    RecordingMessageBox boxes;
    const auto window = LoadedWindow(state.range(0));
    QImage picture;
    for (auto _ : state) {
        window->picMain->Scene().Render(picture, window->picMain->Scene().Background().rect());
    }
    CheckNoErrors(state, boxes);
}

// Painting at other zooms (argument 1 in clicks of "+", negative for "-"): far out, where every
// element piles onto a few pixels, and close in, where most lie outside the area.
void ZoomedPaint(benchmark::State& state) {
    RecordingMessageBox boxes;
    const auto window = LoadedWindow(state.range(0));
    for (int64_t click = 0; click < std::abs(state.range(1)); ++click) {
        const float scale = window->picMain->Scene().ViewScale;
        window->picMain->Scene().ViewScale = state.range(1) > 0 ? ZoomedIn(scale) : ZoomedOut(scale);
    }
    window->RedrawView();
    QImage picture;
    for (auto _ : state) {
        window->picMain->Scene().Render(picture, window->picMain->Scene().Background().rect());
    }
    state.counters["scale"] = window->picMain->Scene().ViewScale;
    CheckNoErrors(state, boxes);
}

void Configure(benchmark::internal::Benchmark* benchmark) {
    benchmark->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
}
} // namespace

BENCHMARK(LoadFileClickToIdle)->Arg(32767)->Arg(10)->Iterations(3)->Apply(Configure);
BENCHMARK(RedrawAndRepaint)->Arg(10)->Apply(Configure);
BENCHMARK(PanStep)->Arg(10)->Apply(Configure);
BENCHMARK(PlaceOnly)->Arg(10)->Apply(Configure);
BENCHMARK(PaintOnly)->Arg(10)->Apply(Configure);
BENCHMARK(ZoomedPaint)->Args({10, -6})->Args({10, 6})->Args({10, 12})->Apply(Configure);
BENCHMARK(ResidentPerPoint)->Arg(32767)->Arg(10)->Iterations(1)->Apply(Configure);
// Ten million points: run by hand (about 1.5 GB while the object is written and loaded).
BENCHMARK(RedrawAndRepaint)->Arg(TenMillion)->Apply(Configure);
BENCHMARK(PanStep)->Arg(TenMillion)->Apply(Configure);
BENCHMARK(WheelStep)->Arg(TenMillion)->Apply(Configure);
BENCHMARK(HomeStep)->Arg(TenMillion)->Apply(Configure);
BENCHMARK(DragStep)->Arg(TenMillion)->Apply(Configure);
BENCHMARK(ChooseMesh)->Arg(TenMillion)->Apply(Configure);
BENCHMARK(ResidentPerPoint)->Arg(TenMillion)->Iterations(1)->Apply(Configure);

} // namespace quillax

using namespace quillax;

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv, [](auto run) {
        run();
        SetProgramFolder("");
        std::filesystem::remove_all(Workspace());
        return 0;
    });
}
