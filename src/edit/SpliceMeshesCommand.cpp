#include "edit/SpliceMeshesCommand.h"

#include <utility>

namespace quillax {

SpliceMeshesCommand::SpliceMeshesCommand(const QString& text, ObjectFile& object, ObjectPlacement& placement,
                                         Splice splice, EditShown shown)
    : QUndoCommand(text), Object(object), Placement(placement), Change(std::move(splice)),
      Shown(std::move(shown)) {}

void SpliceMeshesCommand::redo() {
    Put(Change.Before, Change.After, Change.ChosenAfter);
}

void SpliceMeshesCommand::undo() {
    Put(Change.After, Change.Before, Change.ChosenBefore);
}

void SpliceMeshesCommand::Put(const std::vector<MeshState>& out, const std::vector<MeshState>& in,
                              int32_t chosen) {
    const auto first = static_cast<ptrdiff_t>(Change.First);
    const auto removed = static_cast<ptrdiff_t>(out.size());
    Object.Meshes.erase(Object.Meshes.begin() + first, Object.Meshes.begin() + first + removed);
    Placement.Selections.erase(Placement.Selections.begin() + first,
                               Placement.Selections.begin() + first + removed);
    for (size_t k = 0; k < in.size(); ++k) {
        const auto at = first + static_cast<ptrdiff_t>(k);
        Object.Meshes.insert(Object.Meshes.begin() + at, in[k].Points);
        Placement.Selections.insert(Placement.Selections.begin() + at, in[k].Marks);
    }
    Object.MeshCount = static_cast<int16_t>(Object.Meshes.size());
    Shown(chosen);
}

} // namespace quillax
