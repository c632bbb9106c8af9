#pragma once

#include "document/ObjectDocument.h"

#include <QUndoCommand>

namespace quillax {

// Puts the meshes `After` (with their marks) where the meshes `Before` stand; undo puts `Before`
// back. Each mesh is kept whole, so every bit comes back: inserting or deleting points, recolouring,
// adding or deleting a mesh are all this one step.
class SpliceMeshesCommand : public QUndoCommand {
public:
    SpliceMeshesCommand(const QString& text, ObjectDocument& document, MeshSplice splice);

    void redo() override;
    void undo() override;

private:
    // The mesh chosen before, outside the splice, when the step chooses another: its marks are
    // cleared, as a choice in the list clears them, and come back with the undo. Its index before
    // and after the step; -1 when there is none.
    int32_t LeftBefore() const;
    int32_t LeftAfter() const;

    ObjectDocument& Document;
    MeshSplice Change;
    MeshSelection LeftMarks;
};

} // namespace quillax
