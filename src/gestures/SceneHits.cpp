#include "gestures/SceneHits.h"

namespace quillax {

MarkerRange ChosenMarkers(const MeshScene& scene) {
    return MarkersOfMesh(scene.Object(), scene.Document().ChosenMesh(), scene.Node, scene.Joint);
}

std::optional<MarkerHit> HitIn(const MeshScene& scene, const MarkerRange& range, int32_t x, int32_t y) {
    return HitMarker(scene.Node, scene.Joint, range, x, y, MarkerHitRadius);
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
