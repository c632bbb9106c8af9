#pragma once

#include "edit/MeshEdits.h"

#include <QUndoCommand>

#include <functional>
#include <vector>

namespace quillax {

// Tells the editor the object changed, and which mesh is to be chosen now.
using EditShown = std::function<void(int32_t chosenMesh)>;

// Puts the meshes `after` (with their marks) where the meshes `before` stand, from index First on;
// undo puts `before` back. Each mesh is kept whole, so every bit comes back: inserting or deleting
// points, recolouring, adding or deleting a mesh are all this one step.
class SpliceMeshesCommand : public QUndoCommand {
public:
    struct Splice {
        int32_t First = 0;
        std::vector<MeshState> Before;
        std::vector<MeshState> After;
        int32_t ChosenBefore = 0;
        int32_t ChosenAfter = 0;
    };

    SpliceMeshesCommand(const QString& text, ObjectFile& object, ObjectPlacement& placement, Splice splice,
                        EditShown shown);

    void redo() override;
    void undo() override;

private:
    void Put(const std::vector<MeshState>& out, const std::vector<MeshState>& in, int32_t chosen);

    ObjectFile& Object;
    ObjectPlacement& Placement;
    Splice Change;
    EditShown Shown;
};

} // namespace quillax
