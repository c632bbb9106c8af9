// Finding the marker under the pointer: a click scans the chosen mesh, a tooltip over no marker of
// it goes on to every mesh. Objects from LargeObject, placed at the start zoom in the designed
// drawing area. Run by hand: build/bin/hit_test_bench [--benchmark_filter=...]
#include "sampleobjects/LargeObject.h"
#include "view/MarkerHitTest.h"
#include "view/MeshRedraw.h"
#include "view/SceneMarkers.h"

#include <benchmark/benchmark.h>

namespace quillax {

namespace {
struct Placed {
    ObjectFile Object;
    ObjectPlacement Placement;
    NodePool Nodes;
    JointPool Joints;

    SceneMarkers Markers() const { return SceneMarkers(Nodes, Joints, Object, Placement, 0); }
};

// The model and pools that a load of LargeObject(points, meshes) leaves.
const Placed& PlacedObject(int32_t points, int32_t meshes) {
    static Placed placed;
    placed = Placed{};
    placed.Object = LargeObject(points, meshes);
    for (const Mesh& mesh : placed.Object.Meshes) {
        for (size_t k = 0; k < mesh.X.size(); ++k) {
            placed.Nodes.Add({});
            if (k > 0) {
                placed.Joints.Add();
            }
        }
        placed.Placement.Selections.push_back(
            {std::vector<int16_t>(mesh.X.size()), std::vector<int16_t>(mesh.X.size() - 1)});
    }
    const ViewTransform view{4, 0, 0, 0, 0, 0, 1, 0, 0, 578, 520};
    PlaceMarkers(placed.Nodes, placed.Object, view);
    return placed;
}

// A click on the last mesh, on one of its markers (argument 1) or on empty space (argument 0).
void BM_ClickChosenMesh(benchmark::State& state, int32_t points, int32_t meshes) {
    const Placed& placed = PlacedObject(points, meshes);
    const int32_t chosen = meshes - 1;
    const MarkerRange range = MarkersOfMesh(placed.Object, chosen, placed.Nodes, placed.Joints);
    const NodeElement target = placed.Markers().NodeAt(range.FirstNode + range.NodeCount / 2);
    const double x = state.range(0) ? target.Left + 1.5 : 2;
    const double y = state.range(0) ? target.Top + 1.5 : 2;
    for (auto _ : state) {
        const MarkerRange current = MarkersOfMesh(placed.Object, chosen, placed.Nodes, placed.Joints);
        benchmark::DoNotOptimize(HitMarker(placed.Markers(), current, x, y, 5));
    }
}

// A tooltip over empty space: the chosen mesh, then every mesh, then nothing found.
void BM_TipOverEmptySpace(benchmark::State& state, int32_t points, int32_t meshes) {
    const Placed& placed = PlacedObject(points, meshes);
    for (auto _ : state) {
        const MarkerRange chosen = MarkersOfMesh(placed.Object, 0, placed.Nodes, placed.Joints);
        benchmark::DoNotOptimize(HitMarker(placed.Markers(), chosen, 2, 2, 5));
        benchmark::DoNotOptimize(
            HitMarker(placed.Markers(), AllMarkers(placed.Nodes, placed.Joints), 2, 2, 5));
    }
}
} // namespace

BENCHMARK_CAPTURE(BM_ClickChosenMesh, Mesh32767, 32767, 1)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ClickChosenMesh, Object1000000In100Meshes, 1000000, 100)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TipOverEmptySpace, Object100000In10Meshes, 100000, 10)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TipOverEmptySpace, Object1000000In100Meshes, 1000000, 100)
    ->Unit(benchmark::kMicrosecond);

} // namespace quillax

using namespace quillax;

BENCHMARK_MAIN();
