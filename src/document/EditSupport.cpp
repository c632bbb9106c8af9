#include "document/EditSupport.h"

#include "platform/MessageBoxService.h"

#include <utility>

namespace quillax {

bool Refused(const std::optional<std::string>& reason) {
    if (reason) {
        MsgBox(*reason, MsgBoxStyle::Exclamation, "Quillax Object Editor");
    }
    return reason.has_value();
}

std::optional<std::string> CannotEditMesh(const ObjectDocument& document, int32_t mesh) {
    if (document.ViewStateOf(mesh).Locked) {
        return "Mesh " + std::to_string(mesh) + " is locked: unlock it to edit it.";
    }
    return std::nullopt;
}

MeshState ChosenState(const ObjectDocument& document) {
    return MeshStateOf(document.Object(), document.Placement(), document.ChosenMesh());
}

void ReplaceChosen(ObjectDocument& document, const QString& text, MeshState before, MeshState edited) {
    const int32_t chosen = document.ChosenMesh();
    document.SpliceMeshes(text, {chosen, {std::move(before)}, {std::move(edited)}, chosen, chosen});
}

} // namespace quillax
