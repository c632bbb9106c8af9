#include "document/SpliceMeshesCommand.h"

#include <utility>

namespace quillax {

SpliceMeshesCommand::SpliceMeshesCommand(const QString& text, ObjectDocument& document, MeshSplice splice)
    : QUndoCommand(text), Document(document), Change(std::move(splice)) {}

void SpliceMeshesCommand::redo() {
    Document.PutMeshes(Change.First, Change.Before.size(), Change.After, Change.ChosenAfter);
}

void SpliceMeshesCommand::undo() {
    Document.PutMeshes(Change.First, Change.After.size(), Change.Before, Change.ChosenBefore);
}

} // namespace quillax
