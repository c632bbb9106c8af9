#include "edit/MovePointsCommand.h"

#include "platform/Counted.h"

#include <utility>

namespace quillax {

namespace {
QString MoveText(size_t points) {
    return QString::fromStdString("Move " + Counted(static_cast<int64_t>(points), "Point", "Points"));
}
} // namespace

MovePointsCommand::MovePointsCommand(ObjectFile& object, int32_t mesh, std::vector<PointMove> moves,
                                     EditShown shown)
    : QUndoCommand(MoveText(moves.size())), Object(object), MeshIndex(mesh), Moves(std::move(moves)),
      Shown(std::move(shown)) {}

void MovePointsCommand::redo() {
    Apply(true);
}

void MovePointsCommand::undo() {
    Apply(false);
}

void MovePointsCommand::Apply(bool forward) {
    Mesh& mesh = Object.Meshes.at(static_cast<size_t>(MeshIndex));
    for (const PointMove& move : Moves) {
        mesh.X.at(static_cast<size_t>(move.Index)) = forward ? move.ToX : move.FromX;
        mesh.Y.at(static_cast<size_t>(move.Index)) = forward ? move.ToY : move.FromY;
    }
    Shown(MeshIndex);
}

} // namespace quillax
