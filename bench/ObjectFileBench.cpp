// Saving a large object: its bytes alone, and the bytes written to a file (without the later Save's
// flush and rename). Run by hand: build/bin/object_file_bench [--benchmark_filter=...]
#include "objects/ObjectFileBytes.h"
#include "sampleobjects/LargeObject.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace quillax {

namespace {
constexpr int32_t Points = 1000000;

void BM_ObjectFileBytes(benchmark::State& state) {
    const ObjectFile object = LargeObject(Points, static_cast<int32_t>(state.range(0)));
    size_t size = 0;
    for (auto _ : state) {
        const std::vector<uint8_t> bytes = ObjectFileBytes(object);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
}

void BM_ObjectFileBytesToFile(benchmark::State& state) {
    const ObjectFile object = LargeObject(Points, static_cast<int32_t>(state.range(0)));
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("quillax-object-bench-" + std::to_string(getpid()) + ".lin");
    for (auto _ : state) {
        const std::vector<uint8_t> bytes = ObjectFileBytes(object);
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        file.close();
        if (!file) {
            state.SkipWithError("cannot write the file");
        }
    }
    std::filesystem::remove(path);
}
} // namespace

// 1,000,000 points in 100 meshes of 10,000, and in 31 meshes of about 32,258.
BENCHMARK(BM_ObjectFileBytes)->Arg(100)->Arg(31)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ObjectFileBytesToFile)->Arg(100)->Arg(31)->Unit(benchmark::kMillisecond);

} // namespace quillax

using namespace quillax;

BENCHMARK_MAIN();
