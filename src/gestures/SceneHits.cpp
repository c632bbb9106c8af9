#include "gestures/SceneHits.h"

namespace quillax {

MarkerRange ChosenMarkers(const MeshScene& scene) {
    const int32_t chosen = scene.Document().ChosenMesh();
    if (scene.Document().ViewStateOf(chosen).Hidden) {
        return {};
    }
    return MarkersOfMesh(scene.Object(), chosen, scene.Node, scene.Joint);
}

std::optional<MarkerHit> HitIn(const MeshScene& scene, const MarkerRange& range, int32_t x, int32_t y) {
    return HitMarker(scene.Markers(), range, x, y, MarkerHitRadius);
}

std::optional<MarkerHit> HitAnyMesh(const MeshScene& scene, int32_t x, int32_t y, bool locked) {
    const ObjectDocument& document = scene.Document();
    const std::vector<MarkerRange> passedOver =
        MarkersOfMeshes(scene.Object(), scene.Node, scene.Joint, [&document, locked](int32_t mesh) {
            const MeshViewState state = document.ViewStateOf(mesh);
            return state.Hidden || (state.Locked && !locked);
        });
    return HitMarker(scene.Markers(), AllMarkers(scene.Node, scene.Joint), x, y, MarkerHitRadius, passedOver);
}

std::optional<MeshItem> ChosenItemAt(const MeshScene& scene, MarkerKind kind, int32_t x, int32_t y) {
    const MarkerRange range = ChosenMarkers(scene);
    const std::optional<MarkerHit> hit = HitIn(scene, range, x, y);
    if (!hit || hit->Kind != kind) {
        return std::nullopt;
    }
    const int32_t first = kind == MarkerKind::Point ? range.FirstNode : range.FirstJoint;
    return MeshItem{scene.Document().ChosenMesh(), hit->Index - first};
}

} // namespace quillax
