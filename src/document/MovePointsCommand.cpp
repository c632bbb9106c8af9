#include "document/MovePointsCommand.h"

#include "platform/Counted.h"

#include <algorithm>
#include <bit>
#include <utility>

namespace quillax {

namespace {
// Every move of a series shares this id; the series tells them apart.
constexpr int MoveSeriesId = 1;

QString MoveText(size_t points) {
    return QString::fromStdString("Move " + Counted(static_cast<int64_t>(points), "Point", "Points"));
}

bool SameBits(float a, float b) {
    return std::bit_cast<uint32_t>(a) == std::bit_cast<uint32_t>(b);
}

bool Stays(const PointMove& move) {
    return SameBits(move.FromX, move.ToX) && SameBits(move.FromY, move.ToY);
}
} // namespace

MovePointsCommand::MovePointsCommand(ObjectDocument& document, int32_t mesh, std::vector<PointMove> moves,
                                     int32_t series)
    : QUndoCommand(MoveText(moves.size())), Document(document), MeshIndex(mesh), Moves(std::move(moves)),
      Series(series) {
    setObsolete(std::all_of(Moves.begin(), Moves.end(), Stays));
}

void MovePointsCommand::redo() {
    Document.PutPoints(MeshIndex, Moves, true);
}

void MovePointsCommand::undo() {
    Document.PutPoints(MeshIndex, Moves, false);
}

int MovePointsCommand::id() const {
    return Series != 0 ? MoveSeriesId : -1;
}

// A later step of the series takes each point from where the first one found it.
bool MovePointsCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const MovePointsCommand*>(other);
    if (next->Series != Series || next->MeshIndex != MeshIndex || next->Moves.size() != Moves.size()) {
        return false;
    }
    for (size_t k = 0; k < Moves.size(); ++k) {
        Moves[k].ToX = next->Moves[k].ToX;
        Moves[k].ToY = next->Moves[k].ToY;
    }
    setObsolete(std::all_of(Moves.begin(), Moves.end(), Stays));
    return true;
}

} // namespace quillax
