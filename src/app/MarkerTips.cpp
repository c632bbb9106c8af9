#include "app/MarkerTips.h"

#include "browse/StripTips.h"
#include "document/ClosedOutline.h"
#include "gestures/SceneHits.h"

#include <algorithm>

namespace quillax {

namespace {
// The mesh when it has a point at index, else none.
const Mesh* MeshWithPoint(const ObjectFile& object, int32_t meshIndex, int64_t index) {
    if (meshIndex < 0 || meshIndex >= static_cast<int32_t>(object.Meshes.size())) {
        return nullptr;
    }
    const Mesh& mesh = object.Meshes[static_cast<size_t>(meshIndex)];
    const bool has = index >= 0 && static_cast<size_t>(index) < std::min(mesh.X.size(), mesh.Y.size());
    return has ? &mesh : nullptr;
}
} // namespace

std::string PointTip(const ObjectFile& object, int32_t meshIndex, int32_t index) {
    const Mesh* mesh = MeshWithPoint(object, meshIndex, index);
    if (!mesh) {
        return {};
    }
    const auto i = static_cast<size_t>(index);
    if (const std::optional<int32_t> twin = TwinOf(*mesh, index)) {
        return PointsTipText(meshIndex, std::min(index, *twin), std::max(index, *twin), mesh->X[i],
                             mesh->Y[i]);
    }
    return PointTipText(meshIndex, index, mesh->X[i], mesh->Y[i]);
}

std::string LineTip(const ObjectFile& object, int32_t meshIndex, int32_t index) {
    const Mesh* mesh = MeshWithPoint(object, meshIndex, static_cast<int64_t>(index) + 1);
    if (!mesh || index < 0) {
        return {};
    }
    const auto i = static_cast<size_t>(index);
    return LineTipText(meshIndex, index, mesh->X[i], mesh->Y[i], mesh->X[i + 1], mesh->Y[i + 1]);
}

// The second scan, over every mesh, runs only when the pointer rests: never on each move.
std::string MarkerTipAt(const MeshScene& scene, int32_t x, int32_t y) {
    std::optional<MarkerHit> hit = HitIn(scene, ChosenMarkers(scene), x, y);
    if (!hit) {
        hit = HitAnyMesh(scene, x, y, true);
    }
    const std::optional<MeshItem> item = hit ? MeshItemOf(scene.Object(), *hit) : std::nullopt;
    if (!item) {
        return {};
    }
    return hit->Kind == MarkerKind::Point ? PointTip(scene.Object(), item->Mesh, item->Index)
                                          : LineTip(scene.Object(), item->Mesh, item->Index);
}

} // namespace quillax
