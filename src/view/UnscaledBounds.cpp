#include "view/UnscaledBounds.h"

#include "view/SharedWork.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace quillax {

namespace {
// Below this many points a second thread costs more than it saves.
constexpr int64_t PointsPerThread = 1 << 16;
// Bounds kept side by side, so that the loop has no chain from one point to the next and fills the
// processor's vectors.
constexpr size_t Lanes = 8;

double FiniteOrNaN(float value) {
    return std::abs(value) <= std::numeric_limits<float>::max() ? value
                                                                : std::numeric_limits<double>::quiet_NaN();
}

struct Points {
    const float* X;
    const float* Y;
    int64_t Count;
};

// Made also for processors with AVX2 and chosen when the program starts; neither version fuses a
// multiply and an add. A coordinate that is not finite makes both positions NaN, which the bounds
// pass over.
__attribute__((target_clones("avx2", "default"))) void AddPoints(const ViewTransform& view, Points points,
                                                                 UnscaledBounds& bounds) {
    // A copy the bounds cannot alias, so that its terms stay in registers.
    const ViewTransform terms = view;
    std::array<AxisBounds, Lanes> across{};
    std::array<AxisBounds, Lanes> down{};
    const auto count = static_cast<size_t>(points.Count);
    const auto add = [&](size_t lane, size_t k) {
        const Unscaled point = UnscaledOf(terms, FiniteOrNaN(points.X[k]), FiniteOrNaN(points.Y[k]));
        across[lane].Add(point.A);
        down[lane].Add(point.B);
    };
    size_t k = 0;
    for (; k + Lanes <= count; k += Lanes) {
        for (size_t lane = 0; lane < Lanes; ++lane) {
            add(lane, k + lane);
        }
    }
    for (; k < count; ++k) {
        add(0, k);
    }
    for (size_t lane = 0; lane < Lanes; ++lane) {
        bounds.Across.Include(across[lane]);
        bounds.Down.Include(down[lane]);
    }
}
} // namespace

UnscaledBounds UnscaledBoundsOf(const ObjectFile& object, const ViewTransform& view) {
    std::vector<Points> meshes;
    int64_t total = 0;
    for (const Mesh& mesh : object.Meshes) {
        const size_t points = std::min({static_cast<size_t>(PointsOf(mesh)), mesh.X.size(), mesh.Y.size()});
        meshes.push_back({mesh.X.data(), mesh.Y.data(), static_cast<int64_t>(points)});
        total += static_cast<int64_t>(points);
    }
    const int64_t parts = PartsFor(total, PointsPerThread);
    std::vector<UnscaledBounds> found(static_cast<size_t>(parts));
    RunInParts(parts, [&](int64_t part) {
        const int64_t from = total * part / parts;
        const int64_t to = total * (part + 1) / parts;
        int64_t at = 0;
        for (const Points& mesh : meshes) {
            const int64_t first = std::max(from, at);
            const int64_t last = std::min(to, at + mesh.Count);
            if (first < last) {
                AddPoints(view, {mesh.X + (first - at), mesh.Y + (first - at), last - first},
                          found[static_cast<size_t>(part)]);
            }
            at += mesh.Count;
        }
    });
    UnscaledBounds bounds;
    for (const UnscaledBounds& part : found) {
        bounds.Across.Include(part.Across);
        bounds.Down.Include(part.Down);
    }
    return bounds;
}

} // namespace quillax
