#pragma once

#include "edit/SpliceMeshesCommand.h"

#include <QUndoCommand>

#include <cstdint>
#include <vector>

namespace quillax {

// Moves points of one mesh: each point's coordinates before and after are kept, so undo gives their
// bits back. A drag applies its moves as it goes and is pushed once, at the end, as one step.
class MovePointsCommand : public QUndoCommand {
public:
    struct PointMove {
        int32_t Index = 0;
        float FromX = 0;
        float FromY = 0;
        float ToX = 0;
        float ToY = 0;
    };

    MovePointsCommand(ObjectFile& object, int32_t mesh, std::vector<PointMove> moves, EditShown shown);

    void redo() override;
    void undo() override;

private:
    // Each point to where the move takes it, or back to where it was.
    void Apply(bool forward);

    ObjectFile& Object;
    int32_t MeshIndex;
    std::vector<PointMove> Moves;
    EditShown Shown;
};

} // namespace quillax
