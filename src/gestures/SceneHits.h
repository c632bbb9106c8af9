#pragma once

#include "view/MarkerHitTest.h"
#include "view/MeshScene.h"

#include <cstdint>
#include <optional>

namespace quillax {

// How far from a marker a pointer still finds it, in screen pixels at any zoom.
inline constexpr double MarkerHitRadius = 5;

// The markers of the scene's chosen mesh; none while it is hidden.
MarkerRange ChosenMarkers(const MeshScene& scene);
// The marker of `range` that the pixel (x, y) finds.
std::optional<MarkerHit> HitIn(const MeshScene& scene, const MarkerRange& range, int32_t x, int32_t y);
// The marker of any shown mesh that the pixel finds; of no locked mesh unless `locked`.
std::optional<MarkerHit> HitAnyMesh(const MeshScene& scene, int32_t x, int32_t y, bool locked);
// A point or line of the chosen mesh at the pixel, by its index within the mesh.
std::optional<MeshItem> ChosenItemAt(const MeshScene& scene, MarkerKind kind, int32_t x, int32_t y);

} // namespace quillax
