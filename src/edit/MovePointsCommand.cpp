#include "edit/MovePointsCommand.h"

#include <utility>

namespace quillax {

QString MoveText(size_t points) {
    return points == 1 ? QString("Move 1 Point") : QString("Move %1 Points").arg(points);
}

MovePointsCommand::MovePointsCommand(ObjectFile& object, int32_t mesh, std::vector<PointMove> moves,
                                     EditShown shown)
    : QUndoCommand(MoveText(moves.size())), Object(object), MeshIndex(mesh), Moves(std::move(moves)),
      Shown(std::move(shown)) {}

void MovePointsCommand::redo() {
    Mesh& mesh = Object.Meshes.at(static_cast<size_t>(MeshIndex));
    for (const PointMove& move : Moves) {
        mesh.X.at(static_cast<size_t>(move.Index)) = move.ToX;
        mesh.Y.at(static_cast<size_t>(move.Index)) = move.ToY;
    }
    Shown(MeshIndex);
}

void MovePointsCommand::undo() {
    Mesh& mesh = Object.Meshes.at(static_cast<size_t>(MeshIndex));
    for (const PointMove& move : Moves) {
        mesh.X.at(static_cast<size_t>(move.Index)) = move.FromX;
        mesh.Y.at(static_cast<size_t>(move.Index)) = move.FromY;
    }
    Shown(MeshIndex);
}

} // namespace quillax
