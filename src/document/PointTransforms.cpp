#include "document/PointTransforms.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace quillax {

namespace {
// Half a unit in the last place of the largest float: a double below it still rounds to that float.
constexpr double FloatReach = static_cast<double>(std::numeric_limits<float>::max()) + 0x1p103;

std::optional<float> FiniteFloat(double value) {
    if (!(std::abs(value) < FloatReach)) {
        return std::nullopt;
    }
    constexpr double largest = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(value, -largest, largest));
}

// A coordinate whose value does not change keeps its bits, minus zero included.
float Placed(float from, float to) {
    return from == to ? from : to;
}

// Cosine and sine of a turn; exact for the multiples of 90 degrees.
PlanePoint CosSin(double degrees) {
    const double turn = std::fmod(degrees, 360.0);
    if (turn == std::floor(turn / 90) * 90) {
        static constexpr PlanePoint quarters[] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
        const auto quarter = static_cast<int>(turn / 90);
        return quarters[static_cast<size_t>((quarter % 4 + 4) % 4)];
    }
    const double radians = turn * std::numbers::pi / 180;
    return {std::cos(radians), std::sin(radians)};
}
} // namespace

std::vector<int32_t> TargetPoints(const Mesh& mesh, const MeshSelection& marks) {
    std::vector<int32_t> marked = MarkedPoints(marks);
    if (marked.empty()) {
        marked.resize(mesh.X.size());
        for (size_t k = 0; k < marked.size(); ++k) {
            marked[k] = static_cast<int32_t>(k);
        }
    }
    return marked;
}

std::optional<PointBounds> BoundsOf(const Mesh& mesh, const std::vector<int32_t>& points) {
    std::optional<PointBounds> bounds;
    for (const int32_t k : points) {
        const double x = mesh.X[static_cast<size_t>(k)];
        const double y = mesh.Y[static_cast<size_t>(k)];
        if (!std::isfinite(x) || !std::isfinite(y)) {
            continue;
        }
        if (!bounds) {
            bounds = PointBounds{x, y, x, y};
            continue;
        }
        bounds->Left = std::min(bounds->Left, x);
        bounds->Top = std::min(bounds->Top, y);
        bounds->Right = std::max(bounds->Right, x);
        bounds->Bottom = std::max(bounds->Bottom, y);
    }
    return bounds;
}

// On screen, with Y down, a counter-clockwise turn takes (1, 0) to (0, -1).
PointMap Rotation(double degrees, PlanePoint pivot) {
    const PlanePoint turn = CosSin(degrees);
    return {turn.X, turn.Y, -turn.Y, turn.X, pivot, {}};
}

PointMap Scaling(double factorX, double factorY, PlanePoint pivot) {
    return {factorX, 0, 0, factorY, pivot, {}};
}

PointMap Mirror(bool horizontally, PlanePoint pivot) {
    return horizontally ? Scaling(-1, 1, pivot) : Scaling(1, -1, pivot);
}

PointMap Translation(double dx, double dy) {
    return {1, 0, 0, 1, {}, {dx, dy}};
}

MappedPoints MapPoints(const Mesh& mesh, const std::vector<int32_t>& points, const PointMap& map) {
    MappedPoints mapped;
    mapped.Moves.reserve(points.size());
    for (const int32_t k : points) {
        const float x = mesh.X[static_cast<size_t>(k)];
        const float y = mesh.Y[static_cast<size_t>(k)];
        const double u = x - map.Pivot.X;
        const double v = y - map.Pivot.Y;
        const std::optional<float> toX = FiniteFloat(map.XX * u + map.XY * v + map.Pivot.X + map.Shift.X);
        const std::optional<float> toY = FiniteFloat(map.YX * u + map.YY * v + map.Pivot.Y + map.Shift.Y);
        if (!toX || !toY) {
            return {{}, k};
        }
        mapped.Moves.push_back({k, x, y, Placed(x, *toX), Placed(y, *toY)});
    }
    return mapped;
}

double DistanceBetween(PlanePoint from, PlanePoint to) {
    return std::hypot(to.X - from.X, to.Y - from.Y);
}

double AngleOf(PlanePoint from, PlanePoint to) {
    return std::atan2(from.Y - to.Y, to.X - from.X) * 180 / std::numbers::pi;
}

} // namespace quillax
