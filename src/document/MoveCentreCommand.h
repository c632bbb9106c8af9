#pragma once

#include "document/ObjectDocument.h"

#include <QUndoCommand>

namespace quillax {

// Puts the object's centre somewhere else, keeping where it was so that undo gives its bits back.
class MoveCentreCommand : public QUndoCommand {
public:
    MoveCentreCommand(ObjectDocument& document, float x, float y);

    void redo() override;
    void undo() override;

private:
    ObjectDocument& Document;
    float FromX;
    float FromY;
    float ToX;
    float ToY;
};

} // namespace quillax
