#include "document/ClosedOutline.h"

#include <algorithm>

namespace quillax {

bool IsClosedOutline(const Mesh& mesh) {
    const size_t count = std::min(mesh.X.size(), mesh.Y.size());
    return count >= 3 && mesh.X.front() == mesh.X[count - 1] && mesh.Y.front() == mesh.Y[count - 1];
}

std::optional<int32_t> TwinOf(const Mesh& mesh, int32_t index) {
    if (!IsClosedOutline(mesh)) {
        return std::nullopt;
    }
    const auto last = static_cast<int32_t>(std::min(mesh.X.size(), mesh.Y.size()) - 1);
    if (index == 0) {
        return last;
    }
    return index == last ? std::optional<int32_t>(0) : std::nullopt;
}

std::vector<PointMove> WithTwinMoves(const Mesh& mesh, std::vector<PointMove> moves) {
    const auto moved = [&moves](int32_t index) {
        return std::any_of(moves.begin(), moves.end(),
                           [index](const PointMove& move) { return move.Index == index; });
    };
    const size_t given = moves.size();
    for (size_t k = 0; k < given; ++k) {
        const std::optional<int32_t> twin = TwinOf(mesh, moves[k].Index);
        if (twin && !moved(*twin)) {
            const auto at = static_cast<size_t>(*twin);
            moves.push_back({*twin, mesh.X[at], mesh.Y[at], moves[k].ToX, moves[k].ToY});
        }
    }
    return moves;
}

MeshState WithClosedOutline(const MeshState& state) {
    MeshState closed = state;
    closed.Points.X.push_back(state.Points.X.front());
    closed.Points.Y.push_back(state.Points.Y.front());
    closed.Points.PointCount = static_cast<int16_t>(closed.Points.X.size());
    closed.Marks.PointFlags.push_back(0);
    closed.Marks.LineFlags.push_back(0);
    return closed;
}

MeshState WithOpenedOutline(const MeshState& state) {
    MeshState opened = state;
    opened.Points.X.pop_back();
    opened.Points.Y.pop_back();
    opened.Points.PointCount = static_cast<int16_t>(opened.Points.X.size());
    opened.Marks.PointFlags.pop_back();
    opened.Marks.LineFlags.pop_back();
    return opened;
}

} // namespace quillax
