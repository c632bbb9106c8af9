#include "view/MeshRedraw.h"

#include "platform/RuntimeError.h"
#include "view/SharedWork.h"

#include <algorithm>
#include <string>
#include <vector>

namespace quillax {

namespace {
// Below this many points a second thread costs more than it saves.
constexpr int64_t PointsPerThread = 1 << 16;

// One mesh's markers in the pool: Node(FirstNode) on for Nodes of its points.
struct MeshPlan {
    const float* X;
    const float* Y;
    int32_t FirstNode;
    int32_t Nodes;
};

std::vector<MeshPlan> PlanMeshes(const NodePool& nodes, const ObjectFile& object) {
    std::vector<MeshPlan> plans;
    int32_t first = 0;
    for (int16_t i = 0; i < object.MeshCount && first < nodes.Count(); ++i) {
        if (static_cast<size_t>(i) >= object.Meshes.size()) {
            RaiseError(ErrNo::SubscriptOutOfRange, "mesh " + std::to_string(i));
        }
        const Mesh& mesh = object.Meshes[static_cast<size_t>(i)];
        const int32_t points = PointsOf(mesh);
        // Checked once, so that the loop over its points cannot read past them.
        if (mesh.X.size() < static_cast<size_t>(points) || mesh.Y.size() < static_cast<size_t>(points)) {
            RaiseError(ErrNo::SubscriptOutOfRange, "mesh " + std::to_string(i));
        }
        plans.push_back({mesh.X.data(), mesh.Y.data(), first, std::min(points, nodes.Count() - first)});
        first += points;
    }
    return plans;
}

// The view's terms that are the same for every point, in the arithmetic of ModelToScreen, whose
// results these give bit for bit: the loop below has no branch and no library call, so that it runs
// at the speed of the memory it reads.
struct PlacementTerms {
    explicit PlacementTerms(const ViewTransform& view)
        : Scale(view.Scale), CentreX(view.CentreX), CentreY(view.CentreY), Sin(view.SinAngle),
          Cos(view.CosAngle), AddX(view.PositionX * Scale + view.CentreX),
          AddY(view.PositionY * Scale + view.CentreY), PanX(static_cast<double>(view.OffsetX) * Scale),
          PanY(static_cast<double>(view.OffsetY) * Scale), HalfWidth(view.Width / 2.0),
          HalfHeight(view.Height / 2.0) {}

    // A whole pixel, rounded halves to even as RoundHalfEven does wherever the code can hold it.
    static uint16_t Code(double value) {
        constexpr double shift = 0x1.8p52;
        const double whole = (value + shift) - shift;
        return whole >= PackedPoint::Least && whole <= PackedPoint::Most
                   ? static_cast<uint16_t>(static_cast<int32_t>(whole) + PackedPoint::Bias)
                   : PackedPoint::FarCode;
    }

    PackedPoint Place(float x, float y) const {
        const double dx = ToSingle((CentreX - x) * Scale);
        const double dy = ToSingle((CentreY - y) * Scale);
        const double sx = (dy * Sin - dx * Cos) + AddX - PanX + HalfWidth;
        const double sy = AddY - (dy * Cos + dx * Sin) - PanY + HalfHeight;
        return {Code(sx), Code(sy)};
    }

    double Scale;
    double CentreX;
    double CentreY;
    double Sin;
    double Cos;
    double AddX;
    double AddY;
    double PanX;
    double PanY;
    double HalfWidth;
    double HalfHeight;
};

// What the exact codes of a run span, far codes (0) counting neither way. The codes are compared as
// signed 16-bit numbers in the same order (code ^ 0x8000), and code - 1 puts a far code above every
// other: the loop then keeps to the minimum and maximum the processor's vector registers have.
struct CodeSpan {
    int16_t LeastX = INT16_MAX;
    int16_t LeastY = INT16_MAX;
    int16_t MostX = INT16_MIN;
    int16_t MostY = INT16_MIN;
    int16_t Lowest = INT16_MAX;

    static int16_t Ordered(uint32_t code) { return static_cast<int16_t>((code & 0xFFFFu) ^ 0x8000u); }
    static int32_t Value(int16_t ordered) {
        return static_cast<int32_t>(static_cast<uint16_t>(ordered) ^ 0x8000u) - PackedPoint::Bias;
    }

    void Include(const PackedPoint* first, const PackedPoint* last) {
        int16_t leastX = LeastX;
        int16_t leastY = LeastY;
        int16_t mostX = MostX;
        int16_t mostY = MostY;
        int16_t lowest = Lowest;
        for (const PackedPoint* point = first; point != last; ++point) {
            const int16_t x = Ordered(point->X);
            const int16_t y = Ordered(point->Y);
            leastX = std::min(leastX, Ordered(point->X - 1u));
            leastY = std::min(leastY, Ordered(point->Y - 1u));
            mostX = std::max(mostX, x);
            mostY = std::max(mostY, y);
            lowest = std::min(lowest, std::min(x, y));
        }
        LeastX = leastX;
        LeastY = leastY;
        MostX = mostX;
        MostY = mostY;
        Lowest = lowest;
    }
    PackedBounds Bounds() const {
        return {Value(LeastX) + 1, Value(LeastY) + 1, Value(MostX), Value(MostY), Lowest != INT16_MIN};
    }
};

// Markers from .. to - 1 not touching the one before.
int32_t ApartIn(const PackedPoint* positions, int32_t from, int32_t to) {
    int32_t apart = 0;
    for (int32_t n = std::max(from, 1); n < to; ++n) {
        apart += Touching(positions[n - 1], positions[n]) ? 0 : 1;
    }
    return apart;
}

// Runs first .. last - 1 of the pool, the markers of points placed and the bounds of each run
// taken; markers beyond the object's points keep their positions. Made also for processors with
// AVX2, whose vectors hold twice the doubles, and chosen when the program starts; neither version may
// fuse a multiply and an add, which would round differently.
__attribute__((target_clones("avx2", "default"))) void PlaceRuns(NodePool& nodes,
                                                                 const std::vector<MeshPlan>& plans,
                                                                 int32_t placed, int32_t first, int32_t last,
                                                                 const PlacementTerms& terms) {
    PackedPoint* const positions = nodes.PositionData();
    auto plan = plans.begin();
    for (int32_t run = first; run < last; ++run) {
        const int32_t from = run * NodePool::RunLength;
        const int32_t to = std::min(nodes.Count(), from + NodePool::RunLength);
        CodeSpan span;
        for (int32_t n = from; n < to;) {
            while (plan != plans.end() && plan->FirstNode + plan->Nodes <= n) {
                ++plan;
            }
            if (n >= placed || plan == plans.end()) {
                span.Include(positions + n, positions + to);
                break;
            }
            const int32_t stop = std::min(to, plan->FirstNode + plan->Nodes);
            const float* const x = plan->X + (n - plan->FirstNode);
            const float* const y = plan->Y + (n - plan->FirstNode);
            PackedPoint* const placing = positions + n;
            for (int32_t k = 0; k < stop - n; ++k) {
                placing[k] = terms.Place(x[k], y[k]);
            }
            span.Include(placing, positions + stop);
            n = stop;
        }
        PackedBounds bounds = span.Bounds();
        bounds.Apart = ApartIn(positions, from, to);
        nodes.SetRunBounds(run, bounds);
    }
}
} // namespace

// Many points are shared out in equal numbers of runs between the processor's cores, and every
// thread is joined before this returns.
void PlaceMarkers(NodePool& nodes, const ObjectFile& object, const ViewTransform& view) {
    const std::vector<MeshPlan> plans = PlanMeshes(nodes, object);
    const int32_t placed = plans.empty() ? 0 : plans.back().FirstNode + plans.back().Nodes;
    const int32_t runs = nodes.RunCount();
    const int64_t parts = PartsFor(placed, PointsPerThread);
    const PlacementTerms terms(view);
    RunInParts(parts, [&](int64_t part) {
        PlaceRuns(nodes, plans, placed, static_cast<int32_t>(runs * part / parts),
                  static_cast<int32_t>(runs * (part + 1) / parts), terms);
    });
    nodes.PlacedView = view;
}

} // namespace quillax
