// Building the selector strips of the largest mesh: every added box runs the panel layout.
#include "app/PanelLayout.h"
#include "app/StripFlow.h"
#include "app/frmMain.h"
#include "drawingarea/DrawingArea.h"
#include "objects/ObjectFileBytes.h"
#include "platform/ProgramFolder.h"
#include "sampleobjects/LargeObject.h"
#include "support/LinBuilder.h"

#include <QApplication>
#include <QPushButton>
#include <benchmark/benchmark.h>

#include "bench/WindowBenchmarks.h"

#include <filesystem>

namespace quillax {

namespace {
constexpr int LargestMesh = 32767;

// The flows and panel arithmetic alone, in the order the load adds boxes: 2N - 3 runs.
void BM_StripLayoutRuns(benchmark::State& state) {
    const auto points = static_cast<int>(state.range(0));
    for (auto _ : state) {
        ElementArray<BoxElement> picPoint{BoxElement{0, 0, 17, 17, false}};
        ElementArray<BoxElement> picLine{BoxElement{0, 0, 17, 17, false}};
        picPoint.Reserve(static_cast<size_t>(points));
        picLine.Reserve(static_cast<size_t>(points));
        StripFlow rows(BoxFlow::Rows);
        StripFlow columns(BoxFlow::Columns);
        const auto arrange = [&] {
            const PanelInput input{872, 555, 0, 0, 249, 393};
            benchmark::DoNotOptimize(
                ArrangePanelGeometry(input, rows.Run(picPoint, 872), columns.Run(picLine, 555)));
        };
        for (int j = 1; j < points; ++j) {
            picPoint.Load(j);
            arrange();
            if (j > 1) {
                picLine.Load(j - 1);
                arrange();
            }
        }
    }
    state.SetLabel(std::to_string(2 * points - 3) + " layout runs");
}
BENCHMARK(BM_StripLayoutRuns)->Arg(LargestMesh)->Unit(benchmark::kMillisecond);

// The same through the real window (offscreen), from the design size: widgets placed on every
// run, and the window growing towards its minimum height through nested resizes.
void BM_WindowStripBuild(benchmark::State& state) {
    const auto points = static_cast<int>(state.range(0));
    frmMain window;
    window.show();
    const QSize design = window.size();
    for (auto _ : state) {
        for (int j = 0; j < points; ++j) {
            window.LoadPointBoxes();
            if (j > 0) {
                window.LoadLineBoxes();
            }
        }
        state.PauseTiming();
        window.ResetEditor();
        window.resize(design);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WindowStripBuild)->Arg(LargestMesh)->Unit(benchmark::kMillisecond);

// "Load File" on an object whose first mesh has the most points a mesh can hold: reading, markers,
// strips, layout and the redraw.
void BM_LoadLargestMesh(benchmark::State& state) {
    const auto root = std::filesystem::temp_directory_path() / "quillax-layout-bench";
    std::filesystem::create_directories(root / "bin" / "exe");
    std::filesystem::create_directories(root / "Assets");
    WriteLinFile((root / "Assets" / "PlayerTopb.lin").string(), ObjectFileBytes(LargeObject(LargestMesh, 1)));
    SetProgramFolder((root / "bin" / "exe").string());
    frmMain window;
    window.show();
    const QSize design = window.size();
    for (auto _ : state) {
        window.cmdLoadFile->click();
        state.PauseTiming();
        window.ResetEditor();
        window.resize(design);
        state.ResumeTiming();
    }
    SetProgramFolder("");
    std::filesystem::remove_all(root);
}
BENCHMARK(BM_LoadLargestMesh)->Unit(benchmark::kMillisecond);
} // namespace

} // namespace quillax

using namespace quillax;

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}
