// Writing the drawing area's picture (578 x 520, the designed area) as a file: PNG and BMP of the
// sample ship and of a million points, into memory, so that only the encoding is timed. Run by hand:
// build/bin/export_bench [--benchmark_filter=...]
#include "objects/ObjectFileBytes.h"
#include "randomwalk/RandomWalkObject.h"
#include "sampleobjects/SampleObject.h"
#include "sceneexport/SceneExport.h"

#include <QBuffer>
#include <benchmark/benchmark.h>

namespace quillax {

namespace {
// The picture `quillax render` writes of the object at the start view.
QImage PictureOf(const ObjectFile& model) {
    ObjectFile object;
    ObjectPlacement placement;
    LoadObjectBytes(ObjectFileBytes(model), "bench", object, placement);
    MeshScene scene(578, 520);
    scene.Show(std::move(object), std::move(placement));
    scene.PlaceMarkers();
    scene.DrawBackground();
    return scene.Picture();
}

const QImage& Picture(int64_t which) {
    static const QImage ship = PictureOf(SampleShip());
    static const QImage million = PictureOf(RandomWalkObject({*ParseMeshSizes("30x32767,1x16990")}));
    return which == 0 ? ship : million;
}

void Write(benchmark::State& state, ExportFormat format) {
    const QImage& picture = Picture(state.range(0));
    QByteArray bytes;
    for (auto _ : state) {
        bytes.clear();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        benchmark::DoNotOptimize(WritePicture(picture, format, buffer));
    }
    state.counters["bytes"] = static_cast<double>(bytes.size());
}

// Argument 0 is the sample ship, 1 a million points.
void WritePng(benchmark::State& state) {
    Write(state, ExportFormat::Png);
}
BENCHMARK(WritePng)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void WriteBmp(benchmark::State& state) {
    Write(state, ExportFormat::Bmp);
}
BENCHMARK(WriteBmp)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
} // namespace

} // namespace quillax

BENCHMARK_MAIN();
