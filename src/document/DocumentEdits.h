#pragma once

#include "document/ObjectDocument.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quillax {

// The edits of the chosen mesh and of the object's meshes, each one step on the document's history.
// An edit the object cannot take is refused in a message box and changes nothing; with no mesh
// chosen, or nothing marked where marks are needed, there is nothing to do.

// The marked points of the chosen mesh moved by (dx, dy) model units.
void NudgeMarkedPoints(ObjectDocument& document, double dx, double dy);
// A new unmarked point at (x, y) after point `line` of the chosen mesh, splitting that line in two.
void InsertPoint(ObjectDocument& document, int32_t line, float x, float y);
void DeleteMarkedPoints(ObjectDocument& document);
void RecolourMesh(ObjectDocument& document, float red, float green, float blue);
// A new mesh after the others, chosen.
void AddMesh(ObjectDocument& document, MeshState mesh);
void DeleteChosenMesh(ObjectDocument& document);

} // namespace quillax
