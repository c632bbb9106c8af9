#pragma once

#include "document/ObjectDocument.h"

#include <QUndoCommand>

#include <cstdint>

namespace quillax {

// Moves one mesh to another index of the object, its marks and view state with it, the others closing
// up; undo moves it back. No mesh is copied, so a reorder costs the same for any size.
class MoveMeshCommand : public QUndoCommand {
public:
    MoveMeshCommand(const QString& text, ObjectDocument& document, int32_t from, int32_t to);

    void redo() override;
    void undo() override;

private:
    ObjectDocument& Document;
    int32_t From;
    int32_t To;
};

} // namespace quillax
