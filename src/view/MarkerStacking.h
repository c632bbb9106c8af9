#pragma once

#include "objects/modObjects.h"
#include "view/MarkerHitTest.h"

#include <cstdint>
#include <vector>

namespace quillax {

// Pool elements First .. Last - 1.
struct PoolRun {
    int32_t First = 0;
    int32_t Last = 0;
    bool operator==(const PoolRun&) const = default;
};

// What is painted over the rest: the chosen mesh's markers, and over them its marked lines and
// points (runs of pool indices, in order). Nothing when no mesh is chosen.
struct MarkerStacking {
    int32_t Mesh = -1;
    MarkerRange Chosen;
    std::vector<PoolRun> MarkedLines;
    std::vector<PoolRun> MarkedPoints;
};

// The stacking of the chosen mesh and its marks as they are now, cut to what the pools hold; read
// when the markers are painted, as their looks are.
MarkerStacking StackingOf(const ObjectFile& object, const ObjectPlacement& placement, int32_t chosen,
                          const NodePool& nodes, const JointPool& joints);

// Elements First .. Last - 1 of the segments' or the markers' pool.
struct PaintRun {
    enum class PoolOf : uint8_t { Joints, Nodes };
    PoolOf Pool;
    int32_t First;
    int32_t Last;
    bool operator==(const PaintRun&) const = default;
};

// Every element of pools of these sizes once, in the order they are painted, so that each pixel
// shows the last one painted on it: the other meshes' segments, then their markers; the chosen
// mesh's unmarked segments, then its unmarked markers; its marked lines; its marked points. Within
// each, the pools' order.
std::vector<PaintRun> PaintOrderOf(const MarkerStacking& stacking, int32_t nodeCount, int32_t jointCount);
// The order without the markers of `leftOut` (ranges in the pools' order, ascending): hidden meshes.
std::vector<PaintRun> WithoutMarkers(const std::vector<PaintRun>& order,
                                     const std::vector<MarkerRange>& leftOut);

} // namespace quillax
