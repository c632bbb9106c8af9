#pragma once

#include "document/MeshEdits.h"
#include "document/ObjectDocument.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace quillax {

// Closed outlines: meshes of three points or more whose last point is their first again (equal
// coordinates), as the sample ship's hull is. Every move of points goes through WithTwinMoves, so an
// outline stays closed however its points are moved.

bool IsClosedOutline(const Mesh& mesh);
// The other end of a closed outline for its first or last point; none for any other point or mesh.
std::optional<int32_t> TwinOf(const Mesh& mesh, int32_t index);
// The moves with the other end of a closed outline moving to where an end goes, when that end moves
// and its twin does not.
std::vector<PointMove> WithTwinMoves(const Mesh& mesh, std::vector<PointMove> moves);

// With a copy of the first point after the last, unmarked, and the line to it unmarked.
MeshState WithClosedOutline(const MeshState& state);
// Without the last point (and the line to it), which is the first again.
MeshState WithOpenedOutline(const MeshState& state);

} // namespace quillax
