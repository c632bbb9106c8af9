#include "gdi/Gdi.h"
#include "platform/ByteArray1D.h"
#include "platform/ByteArray2D.h"
#include "platform/MessageBoxService.h"
#include "surface/clsOffScreenDC.h"

#include <QImage>
#include <benchmark/benchmark.h>

namespace quillax {

// Pixel-array copies of a 4096 x 4096 image, and the grid's one-tile-per-cell block copies over a
// 1920 x 1080 drawing area.
namespace {
constexpr int32_t Side = 4096;

clsOffScreenDC& LargeSurface() {
    static clsOffScreenDC* surface = [] {
        auto* made = new clsOffScreenDC;
        made->CreateImage(Side, Side);
        return made;
    }();
    return *surface;
}

void SetImageBytes(benchmark::State& state, int64_t bytesPerPass) {
    state.SetBytesProcessed(state.iterations() * bytesPerPass);
}

// The first call also allocates the array; the loops measure the copies that follow.
void GetByteArray4096(benchmark::State& state) {
    ByteArray2D pixels;
    LargeSurface().GetByteArray(pixels);
    for (auto _ : state) {
        LargeSurface().GetByteArray(pixels);
        benchmark::DoNotOptimize(pixels.Data());
    }
    SetImageBytes(state, 3LL * Side * Side);
}
BENCHMARK(GetByteArray4096)->Unit(benchmark::kMillisecond);

void SetByteArray4096(benchmark::State& state) {
    ByteArray2D pixels;
    LargeSurface().GetByteArray(pixels);
    for (auto _ : state) {
        LargeSurface().SetByteArray(pixels);
    }
    SetImageBytes(state, 3LL * Side * Side);
}
BENCHMARK(SetByteArray4096)->Unit(benchmark::kMillisecond);

void Get1DByteArray4096(benchmark::State& state) {
    ByteArray1D pixels;
    LargeSurface().Get1DByteArray(pixels);
    for (auto _ : state) {
        LargeSurface().Get1DByteArray(pixels);
        benchmark::DoNotOptimize(pixels.Data());
    }
    SetImageBytes(state, 3LL * Side * Side);
}
BENCHMARK(Get1DByteArray4096)->Unit(benchmark::kMillisecond);

// One full grid redraw: a tile copied to every cell of the area; the argument is the tile's side.
void TileRedraw1920x1080(benchmark::State& state) {
    const auto tile = static_cast<int32_t>(state.range(0));
    clsOffScreenDC surface;
    surface.CreateImage(tile, tile);
    QImage area(1920, 1080, QImage::Format_RGB32);
    const uint32_t target = CreateImageDC(&area);
    int64_t copies = 0;
    for (auto _ : state) {
        for (int32_t y = 0; y < area.height(); y += tile) {
            for (int32_t x = 0; x < area.width(); x += tile) {
                BitBlt(target, x, y, tile, tile, surface.DC(), 0, 0, SRCCOPY);
                ++copies;
            }
        }
        benchmark::ClobberMemory();
    }
    state.counters["copies/s"] = benchmark::Counter(static_cast<double>(copies), benchmark::Counter::kIsRate);
    DeleteDC(target);
}
BENCHMARK(TileRedraw1920x1080)->Arg(2)->Arg(16)->Unit(benchmark::kMillisecond);
} // namespace

} // namespace quillax

using namespace quillax;

int main(int argc, char** argv) {
    RecordingMessageBox silent;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return silent.Records.empty() ? 0 : 1;
}
