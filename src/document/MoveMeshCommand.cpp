#include "document/MoveMeshCommand.h"

namespace quillax {

MoveMeshCommand::MoveMeshCommand(const QString& text, ObjectDocument& document, int32_t from, int32_t to)
    : QUndoCommand(text), Document(document), From(from), To(to) {}

void MoveMeshCommand::redo() {
    Document.PutMeshAt(From, To);
}

void MoveMeshCommand::undo() {
    Document.PutMeshAt(To, From);
}

} // namespace quillax
