#pragma once

#include "objects/modObjects.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillax {

// The edits of the object, as pure functions of a mesh and its marks: the editor's commands apply
// them and keep what they replace, so that undo gives every bit back.

// The most points a mesh and meshes an object can hold in a file.
inline constexpr int32_t MostPoints = 32767;
inline constexpr int32_t MostMeshes = 32767;

// A mesh with its marks.
struct MeshState {
    Mesh Points;
    MeshSelection Marks;
};

MeshState MeshStateOf(const ObjectFile& object, const ObjectPlacement& placement, int32_t mesh);

// Point line + 1 is new at (x, y), unmarked; the line it splits becomes two unmarked lines.
MeshState WithInsertedPoint(const MeshState& state, int32_t line, float x, float y);
// Without its marked points. A line between two points that stay neighbours keeps its mark; a line
// that now bridges a deleted point is unmarked.
MeshState WithoutMarkedPoints(const MeshState& state);
MeshState WithColour(const MeshState& state, float red, float green, float blue);
// A new mesh of two unmarked points, in a colour that no mesh of `among` has at full brightness and
// that is not white, the colour of a mark.
MeshState TwoPointMesh(float x1, float y1, float x2, float y2, const ObjectFile& among);

// Why an edit cannot be made; none when it can.
std::optional<std::string> CannotInsertPoint(const MeshState& state, int32_t mesh);
// At an end of the mesh.
std::optional<std::string> CannotAddPoint(const MeshState& state, int32_t mesh);
std::optional<std::string> CannotDeleteMarkedPoints(const MeshState& state, int32_t mesh);
std::optional<std::string> CannotAddMesh(const ObjectFile& object);
std::optional<std::string> CannotDeleteMesh(const ObjectFile& object);

// The marked points' indices, in order.
std::vector<int32_t> MarkedPoints(const MeshSelection& marks);

} // namespace quillax
