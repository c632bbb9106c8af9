#include "view/MarkerStacking.h"

#include <algorithm>

namespace quillax {

namespace {
// The runs of set flags among the first `count`, as pool indices from `first`.
std::vector<PoolRun> RunsOf(const std::vector<int16_t>& flags, int32_t first, int32_t count) {
    std::vector<PoolRun> runs;
    const auto held = static_cast<int32_t>(std::min<size_t>(static_cast<size_t>(count), flags.size()));
    for (int32_t k = 0; k < held; ++k) {
        if (flags[static_cast<size_t>(k)] == 0) {
            continue;
        }
        if (!runs.empty() && runs.back().Last == first + k) {
            ++runs.back().Last;
        } else {
            runs.push_back({first + k, first + k + 1});
        }
    }
    return runs;
}

// One pool's part of the order: its elements outside first .. last - 1 (the other meshes'), or
// those inside that the marked runs leave out, or the marked runs themselves, each cut to the part.
class PoolOrder {
public:
    PoolOrder(std::vector<PaintRun>& order, PaintRun::PoolOf pool, int32_t count, int32_t first, int32_t last)
        : Order(order), Pool(pool), Count(count), First(std::clamp(first, 0, count)),
          Last(std::clamp(last, First, count)) {}

    void Others() {
        Add(0, First);
        Add(Last, Count);
    }
    void Unmarked(const std::vector<PoolRun>& marked) {
        int32_t at = First;
        for (const PoolRun& run : marked) {
            Add(at, Cut(run.First, at));
            at = std::max(at, Cut(run.Last, at));
        }
        Add(at, Last);
    }
    void Marked(const std::vector<PoolRun>& marked) {
        for (const PoolRun& run : marked) {
            Add(Cut(run.First, First), Cut(run.Last, First));
        }
    }

private:
    int32_t Cut(int32_t index, int32_t low) const { return std::clamp(index, low, Last); }
    void Add(int32_t first, int32_t last) {
        if (first < last) {
            Order.push_back({Pool, first, last});
        }
    }

    std::vector<PaintRun>& Order;
    PaintRun::PoolOf Pool;
    int32_t Count;
    int32_t First;
    int32_t Last;
};
} // namespace

MarkerStacking StackingOf(const ObjectFile& object, const ObjectPlacement& placement, int32_t chosen,
                          const NodePool& nodes, const JointPool& joints) {
    MarkerStacking stacking;
    if (chosen < 0 || chosen >= MeshCountOf(object)) {
        return stacking;
    }
    stacking.Mesh = chosen;
    stacking.Chosen = MarkersOfMesh(object, chosen, nodes, joints);
    if (static_cast<size_t>(chosen) < placement.Selections.size()) {
        const MeshSelection& marks = placement.Selections[static_cast<size_t>(chosen)];
        stacking.MarkedLines =
            RunsOf(marks.LineFlags, stacking.Chosen.FirstJoint, stacking.Chosen.JointCount);
        stacking.MarkedPoints =
            RunsOf(marks.PointFlags, stacking.Chosen.FirstNode, stacking.Chosen.NodeCount);
    }
    return stacking;
}

std::vector<PaintRun> WithoutMarkers(const std::vector<PaintRun>& order,
                                     const std::vector<MarkerRange>& leftOut) {
    if (leftOut.empty()) {
        return order;
    }
    std::vector<ElementSpan> joints;
    std::vector<ElementSpan> nodes;
    for (const MarkerRange& range : leftOut) {
        joints.push_back({range.FirstJoint, static_cast<int64_t>(range.FirstJoint) + range.JointCount});
        nodes.push_back({range.FirstNode, static_cast<int64_t>(range.FirstNode) + range.NodeCount});
    }
    std::vector<PaintRun> kept;
    for (const PaintRun& run : order) {
        const bool ofJoints = run.Pool == PaintRun::PoolOf::Joints;
        for (const ElementSpan& span : SpansOutside({run.First, run.Last}, ofJoints ? joints : nodes)) {
            kept.push_back({run.Pool, static_cast<int32_t>(span.From), static_cast<int32_t>(span.To)});
        }
    }
    return kept;
}

std::vector<PaintRun> PaintOrderOf(const MarkerStacking& stacking, int32_t nodeCount, int32_t jointCount) {
    std::vector<PaintRun> order;
    const MarkerRange& chosen = stacking.Chosen;
    PoolOrder joints(order, PaintRun::PoolOf::Joints, jointCount, chosen.FirstJoint,
                     chosen.FirstJoint + chosen.JointCount);
    PoolOrder nodes(order, PaintRun::PoolOf::Nodes, nodeCount, chosen.FirstNode,
                    chosen.FirstNode + chosen.NodeCount);
    joints.Others();
    nodes.Others();
    joints.Unmarked(stacking.MarkedLines);
    nodes.Unmarked(stacking.MarkedPoints);
    joints.Marked(stacking.MarkedLines);
    nodes.Marked(stacking.MarkedPoints);
    return order;
}

} // namespace quillax
