#pragma once

#include "document/ObjectDocument.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace quillax {

// The structure of the object as steps on the document's history, as DocumentEdits has them: meshes
// copied and pasted, a polyline grown at its ends, outlines closed and opened, points reversed,
// meshes reordered. A refusal is shown in a message box and changes nothing.

// What Copy takes: the marked points of the chosen mesh, in their order, as a new polyline; with
// none marked, the chosen mesh. None, and nothing said, without a chosen mesh; none, the reason
// shown, when fewer than two points are marked.
std::optional<std::vector<Mesh>> CopiedMeshes(const ObjectDocument& document);
// Why Cut's delete, of the marked points or else of the chosen mesh, cannot be made.
std::optional<std::string> CannotCut(const ObjectDocument& document);
// Cut's delete: the marked points, or the chosen mesh when none is marked.
void DeleteCut(ObjectDocument& document);
// The meshes added after the others at their own coordinates; the first is chosen with every point
// of it marked, so that a drag or the arrows move it at once.
void PasteMeshes(ObjectDocument& document, std::vector<Mesh> meshes, const QString& text);

// With exactly one point of the chosen mesh marked, its first or last, a new point at (x, y) before
// or after it becomes the one marked; false, with nothing done, when the marks are not so.
bool ExtendChosenMesh(ObjectDocument& document, float x, float y);
// The end point a Ctrl+click would extend from: the one marked point, when it is the first or last.
std::optional<int32_t> MarkedEnd(const ObjectDocument& document);

// Close Outline adds a copy of the first point after the last; Open Outline takes away a last point
// that is the first again. Each does nothing where the outline is already so.
void CloseChosenOutline(ObjectDocument& document);
void OpenChosenOutline(ObjectDocument& document);
void ReverseChosenMesh(ObjectDocument& document);
// A mesh moved to index `to`, the others closing up; the chosen mesh stays chosen. Reordering changes
// no mesh, so a locked mesh moves too.
void MoveMeshTo(ObjectDocument& document, int32_t from, int32_t to);
void MoveChosenMesh(ObjectDocument& document, int32_t to);

} // namespace quillax
