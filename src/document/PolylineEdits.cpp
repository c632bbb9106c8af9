#include "document/PolylineEdits.h"

#include <algorithm>

namespace quillax {

namespace {
template <typename T> void InsertAt(std::vector<T>& items, bool atStart, T value) {
    items.insert(atStart ? items.begin() : items.end(), value);
}
} // namespace

MeshState WithReversedPoints(const MeshState& state) {
    MeshState reversed = state;
    std::reverse(reversed.Points.X.begin(), reversed.Points.X.end());
    std::reverse(reversed.Points.Y.begin(), reversed.Points.Y.end());
    std::reverse(reversed.Marks.PointFlags.begin(), reversed.Marks.PointFlags.end());
    std::reverse(reversed.Marks.LineFlags.begin(), reversed.Marks.LineFlags.end());
    return reversed;
}

MeshState WithNewEnd(const MeshState& state, bool atStart, float x, float y) {
    MeshState extended = state;
    InsertAt(extended.Points.X, atStart, x);
    InsertAt(extended.Points.Y, atStart, y);
    extended.Points.PointCount = static_cast<int16_t>(extended.Points.X.size());
    std::fill(extended.Marks.PointFlags.begin(), extended.Marks.PointFlags.end(), int16_t{0});
    InsertAt(extended.Marks.PointFlags, atStart, int16_t{-1});
    InsertAt(extended.Marks.LineFlags, atStart, int16_t{0});
    return extended;
}

Mesh MarkedPolyline(const MeshState& state) {
    Mesh points = state.Points;
    points.X.clear();
    points.Y.clear();
    for (const int32_t k : MarkedPoints(state.Marks)) {
        points.X.push_back(state.Points.X[static_cast<size_t>(k)]);
        points.Y.push_back(state.Points.Y[static_cast<size_t>(k)]);
    }
    points.PointCount = static_cast<int16_t>(points.X.size());
    return points;
}

} // namespace quillax
