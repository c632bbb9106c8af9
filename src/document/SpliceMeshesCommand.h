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
    ObjectDocument& Document;
    MeshSplice Change;
};

} // namespace quillax
