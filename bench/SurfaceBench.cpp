#include "platform/ByteArray1D.h"
#include "platform/ByteArray2D.h"
#include "platform/MessageBoxService.h"
#include "support/RecordingMessageBox.h"
#include "surface/clsOffScreenDC.h"

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
