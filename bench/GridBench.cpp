// The grid over a 1920 x 1080 drawing area: a full redraw of an empty view with the tile cached,
// the tile copies alone, and a redraw whose zoom step rebuilds the tile. Each pass reads the
// background, as a paint does, so that the grid's pixels are made and not only written down.
#include "app/frmMain.h"
#include "bench/WindowBenchmarks.h"
#include "drawingarea/DrawingArea.h"
#include "platform/MessageBoxService.h"
#include "support/RecordingMessageBox.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <memory>

namespace quillax {

namespace {
constexpr int AreaWidth = 1920;
constexpr int AreaHeight = 1080;

frmMain* Window = nullptr;

// The spacing times this zoom rounds to the cell wanted.
void ShowCell(int16_t cellSize) {
    Window->picMain->Scene().GridSpacing = 5;
    Window->picMain->Scene().ViewScale = static_cast<float>(cellSize) / 5.0f;
}

void BM_RedrawView(benchmark::State& state) {
    ShowCell(static_cast<int16_t>(state.range(0)));
    Window->RedrawView();
    for (auto _ : state) {
        Window->RedrawView();
        benchmark::DoNotOptimize(Window->picMain->Scene().Background().constBits());
    }
}
BENCHMARK(BM_RedrawView)->Arg(2)->Arg(20)->Unit(benchmark::kMillisecond);

void BM_DrawGrid(benchmark::State& state) {
    const auto cellSize = static_cast<int16_t>(state.range(0));
    Window->DrawGrid(cellSize);
    for (auto _ : state) {
        Window->DrawGrid(cellSize);
        benchmark::DoNotOptimize(Window->picMain->Scene().Background().constBits());
    }
}
BENCHMARK(BM_DrawGrid)->Arg(2)->Arg(3)->Arg(20)->Arg(10000)->Unit(benchmark::kMillisecond);

// Each pass changes the cell, so the tile is made again through the surface's bitmap file.
void BM_DrawGridNewTile(benchmark::State& state) {
    int16_t cellSize = 2;
    for (auto _ : state) {
        cellSize = cellSize == 2 ? 3 : 2;
        Window->DrawGrid(cellSize);
        benchmark::DoNotOptimize(Window->picMain->Scene().Background().constBits());
    }
}
BENCHMARK(BM_DrawGridNewTile)->Unit(benchmark::kMillisecond);
} // namespace

} // namespace quillax

using namespace quillax;

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv, [](auto run) {
        RecordingMessageBox errors;
        auto window = std::make_unique<frmMain>();
        window->show();
        window->picMain->resize(AreaWidth, AreaHeight);
        Window = window.get();
        run();
        Window = nullptr;
        return errors.Records.empty() ? 0 : 1;
    });
}
