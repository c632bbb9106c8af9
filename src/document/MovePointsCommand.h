#pragma once

#include "document/ObjectDocument.h"

#include <QUndoCommand>

#include <cstdint>
#include <vector>

namespace quillax {

// Moves points of one mesh: each point's coordinates before and after are kept, so undo gives their
// bits back. The moves of one series (a drag, pushed at every step) merge into one step, which
// leaves the history when the points end where they began.
class MovePointsCommand : public QUndoCommand {
public:
    MovePointsCommand(ObjectDocument& document, int32_t mesh, std::vector<PointMove> moves, int32_t series);

    void redo() override;
    void undo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

private:
    ObjectDocument& Document;
    int32_t MeshIndex;
    std::vector<PointMove> Moves;
    int32_t Series;
};

} // namespace quillax
