// Converting large objects: 1,000,000 points to JSON and back, and an SVG of 100,000 segments to an
// object. Run by hand: build/bin/convert_bench --benchmark_repetitions=5
#include "objectjson/ObjectJson.h"
#include "objectsvg/ObjectSvg.h"
#include "sampleobjects/LargeObject.h"

#include <benchmark/benchmark.h>

#include <random>

namespace quillax {

namespace {
constexpr int32_t Points = 1000000;

void BM_ObjectToJson(benchmark::State& state) {
    const ObjectFile object = LargeObject(Points, 31);
    size_t size = 0;
    for (auto _ : state) {
        const std::string text = ObjectJsonText(object, {});
        size = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
}

void BM_JsonToObject(benchmark::State& state) {
    const std::string text = ObjectJsonText(LargeObject(Points, 31), {});
    for (auto _ : state) {
        const ObjectImport read = ObjectFromJson(text);
        if (!read.Object) {
            state.SkipWithError(read.Error.c_str());
        }
        benchmark::DoNotOptimize(read.Object->Meshes.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

// 100,000 segments as an editor writes them: `range(0)` elements in groups with transforms, each a
// polyline (or path, `range(1)` 1) of random steps with three decimals.
std::string SvgOfSegments(int32_t elements, bool paths) {
    constexpr int32_t Segments = 100000;
    std::mt19937 random(1);
    std::uniform_real_distribution<double> step(-5, 5);
    std::string svg =
        "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 1000 1000\">\n"
        "<g transform=\"translate(500,500) scale(0.5)\" style=\"stroke:#ff8000;fill:none\">\n";
    char number[32];
    for (int32_t e = 0; e < elements; ++e) {
        svg += paths ? "<path d=\"M" : "<polyline points=\"";
        double x = 0, y = 0;
        for (int32_t k = 0; k <= Segments / elements; ++k) {
            x += step(random);
            y += step(random);
            std::snprintf(number, sizeof number, "%s%.3f,%.3f", k == 0 ? "" : paths ? " L" : " ", x, y);
            svg += number;
        }
        svg += "\"/>\n";
    }
    return svg + "</g>\n</svg>\n";
}

void BM_SvgToObject(benchmark::State& state) {
    const std::string svg = SvgOfSegments(static_cast<int32_t>(state.range(0)), state.range(1) != 0);
    for (auto _ : state) {
        const ObjectImport read = ObjectFromSvg(svg, {});
        if (!read.Object) {
            state.SkipWithError(read.Error.c_str());
        }
        benchmark::DoNotOptimize(read.Object->Meshes.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * svg.size()));
}
} // namespace

BENCHMARK(BM_ObjectToJson)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JsonToObject)->Unit(benchmark::kMillisecond);
// 100 polylines of 1,000 segments, 100 paths of 1,000, and 10,000 paths of 10.
BENCHMARK(BM_SvgToObject)->Args({100, 0})->Args({100, 1})->Args({10000, 1})->Unit(benchmark::kMillisecond);

} // namespace quillax

using namespace quillax;

BENCHMARK_MAIN();
