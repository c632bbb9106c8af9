#pragma once

#include "document/MeshEdits.h"

namespace quillax {

// Edits of a mesh's order of points and of its ends, as pure functions of a mesh and its marks.

// The points in the opposite order; every mark stays on its point or line.
MeshState WithReversedPoints(const MeshState& state);
// A new point at (x, y) before the first point or after the last; it is the only marked point, and
// the line to it is unmarked.
MeshState WithNewEnd(const MeshState& state, bool atStart, float x, float y);
// The marked points in their order, as a mesh of the same colour and fields.
Mesh MarkedPolyline(const MeshState& state);

} // namespace quillax
