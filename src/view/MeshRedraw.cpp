#include "view/MeshRedraw.h"

#include "platform/RuntimeError.h"
#include "view/MeshColour.h"
#include "view/SharedWork.h"

#include <algorithm>
#include <string>
#include <vector>

namespace quillax {

namespace {
// Below this many points a second thread costs more than it saves.
constexpr int64_t PointsPerThread = 1 << 16;

// The mesh and its flags, checked once so that the loop over its points cannot read past them.
void CheckMesh(const ObjectFile& object, const ObjectPlacement& placement, size_t index) {
    const size_t points =
        index < object.Meshes.size() ? static_cast<size_t>(PointsOf(object.Meshes[index])) : 0;
    const bool consistent = index < object.Meshes.size() && index < placement.Selections.size() &&
                            object.Meshes[index].X.size() >= points &&
                            object.Meshes[index].Y.size() >= points &&
                            placement.Selections[index].PointFlags.size() >= points &&
                            placement.Selections[index].LineFlags.size() + 1 >= points;
    if (!consistent) {
        RaiseError(ErrNo::SubscriptOutOfRange, "mesh " + std::to_string(index));
    }
}

// One mesh as the redraw places it: its points from Start on in the count over all meshes, the
// markers of it that the pools hold, and its colour.
struct MeshPlan {
    const Mesh* Source;
    const MeshSelection* Selection;
    int64_t Start;
    int32_t Points;
    int32_t FirstNode;
    int32_t Nodes;
    int32_t FirstJoint;
    int32_t Joints;
    MarkerColour Colour;
};

struct Pools {
    NodeElement* Nodes;
    JointElement* Joints;
};

std::vector<MeshPlan> PlanMeshes(const NodePool& nodes, const JointPool& joints, const ObjectFile& object,
                                 const ObjectPlacement& placement, int32_t listIndex) {
    std::vector<MeshPlan> plans;
    int64_t start = 0;
    int32_t firstNode = 0;
    int32_t firstJoint = 0;
    for (int16_t i = 0; i < object.MeshCount; ++i) {
        CheckMesh(object, placement, static_cast<size_t>(i));
        const Mesh& mesh = object.Meshes[static_cast<size_t>(i)];
        const int32_t points = PointsOf(mesh);
        const int32_t lines = LinesOf(mesh);
        const int32_t placedNodes = std::clamp(nodes.Count() - firstNode, 0, points);
        const int32_t placedJoints = std::clamp(joints.Count() - firstJoint, 0, lines);
        const int32_t visited = std::max(placedNodes, placedJoints > 0 ? placedJoints + 1 : 0);
        const int32_t colour = MeshColour(mesh.Red, mesh.Green, mesh.Blue, ColourFactor(i, listIndex));
        plans.push_back({&mesh, &placement.Selections[static_cast<size_t>(i)], start, visited, firstNode,
                         placedNodes, firstJoint, placedJoints, colour});
        start += visited;
        firstNode += points;
        firstJoint += lines;
    }
    return plans;
}

void PlaceNode(NodeElement& node, const ScreenPoint& point, MarkerColour colour, bool selected) {
    const float side = selected ? 5 : 3;
    node.FillColor = colour;
    node.BorderColor = selected ? MarkerColour(White) : colour;
    node.Width = side;
    node.Height = side;
    node.Left = SinglePosition(point.X - side / 2.0);
    node.Top = SinglePosition(point.Y - side / 2.0);
}

// A selected line is white and 2 pixels wide, a plain one 1.
void PlaceJoint(JointElement& joint, float x1, float y1, float x2, float y2, bool selected,
                MarkerColour colour) {
    joint.X1 = x1;
    joint.Y1 = y1;
    joint.X2 = x2;
    joint.Y2 = y2;
    joint.BorderColor = selected ? MarkerColour(White) : colour;
    joint.BorderWidth = selected ? 2 : 1;
}

// Points from .. to - 1 of one mesh: a node for each the pools hold, and the joint from the point
// before.
void PlacePoints(const MeshPlan& plan, int32_t from, int32_t to, const ViewTransform& view, Pools pools) {
    const float* x = plan.Source->X.data();
    const float* y = plan.Source->Y.data();
    const int16_t* pointFlags = plan.Selection->PointFlags.data();
    const int16_t* lineFlags = plan.Selection->LineFlags.data();
    NodeElement* nodes = pools.Nodes + plan.FirstNode;
    JointElement* joints = pools.Joints + plan.FirstJoint;
    const ScreenPoint before = from > 0 ? ModelToScreen(view, x[from - 1], y[from - 1]) : ScreenPoint{0, 0};
    float previousX = SinglePosition(before.X);
    float previousY = SinglePosition(before.Y);
    for (int32_t k = from; k < to; ++k) {
        const ScreenPoint point = ModelToScreen(view, x[k], y[k]);
        const float pointX = SinglePosition(point.X);
        const float pointY = SinglePosition(point.Y);
        if (k < plan.Nodes) {
            PlaceNode(nodes[k], point, plan.Colour, pointFlags[k] != 0);
        }
        if (k >= 1 && k <= plan.Joints) {
            PlaceJoint(joints[k - 1], previousX, previousY, pointX, pointY, lineFlags[k - 1] != 0,
                       plan.Colour);
        }
        previousX = pointX;
        previousY = pointY;
    }
}

// The points from .. to - 1 of the count over all meshes.
void PlaceRange(const std::vector<MeshPlan>& plans, int64_t from, int64_t to, ViewTransform view,
                Pools pools) {
    for (const MeshPlan& plan : plans) {
        const int64_t first = std::max(from, plan.Start);
        const int64_t last = std::min(to, plan.Start + plan.Points);
        if (first < last) {
            PlacePoints(plan, static_cast<int32_t>(first - plan.Start),
                        static_cast<int32_t>(last - plan.Start), view, pools);
        }
    }
}
} // namespace

// Many points are shared out in equal ranges between the processor's cores, each range placing
// markers of its own, and every thread is joined before this returns.
void PlaceMarkers(NodePool& nodes, JointPool& joints, const ObjectFile& object,
                  const ObjectPlacement& placement, const ViewTransform& view, int32_t chosen) {
    const std::vector<MeshPlan> plans = PlanMeshes(nodes, joints, object, placement, chosen);
    const int64_t total = plans.empty() ? 0 : plans.back().Start + plans.back().Points;
    const Pools pools{&nodes(0), &joints(0)};
    const int64_t parts = PartsFor(total, PointsPerThread);
    RunInParts(parts, [&plans, &view, pools, total, parts](int64_t part) {
        PlaceRange(plans, total * part / parts, total * (part + 1) / parts, view, pools);
    });
}

} // namespace quillax
