#pragma once

#include "document/MeshEdits.h"
#include "document/ObjectDocument.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quillax {

// What the edits of DocumentEdits and StructureEdits share.

// Says why an edit is refused, in a message box; true when it is.
bool Refused(const std::optional<std::string>& reason);
// Why a mesh cannot be edited: it is locked. None when it can.
std::optional<std::string> CannotEditMesh(const ObjectDocument& document, int32_t mesh);
// The chosen mesh with its marks, and a step that puts `edited` in its place.
MeshState ChosenState(const ObjectDocument& document);
void ReplaceChosen(ObjectDocument& document, const QString& text, MeshState before, MeshState edited);

} // namespace quillax
