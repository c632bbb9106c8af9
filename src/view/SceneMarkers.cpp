#include "view/SceneMarkers.h"

#include "view/MeshColour.h"
#include "view/PixelCanvas.h"

#include <algorithm>
#include <cmath>

namespace quillax {

namespace {
// Pixels a marker or a segment reaches beyond its centre or its ends: half the 5-pixel marker, and
// the second column of a 2-pixel line.
constexpr int32_t Reach = 2;

bool Set(const std::vector<int16_t>* flags, int32_t k) {
    return flags != nullptr && static_cast<size_t>(k) < flags->size() &&
           (*flags)[static_cast<size_t>(k)] != 0;
}

// Whether every exact position of `bounds` lies farther than `reach` from (x, y) along an axis.
bool Away(const PackedBounds& bounds, double x, double y, double reach) {
    return x < bounds.Left - reach || x > bounds.Right + reach || y < bounds.Top - reach ||
           y > bounds.Bottom + reach;
}

// The bounds of a run of segments: those of the markers at their second ends, with the marker
// before the run, where the first of them begins.
PackedBounds JointRunBounds(const NodePool& nodes, int32_t run) {
    PackedBounds bounds = nodes.RunBounds(run);
    if (run > 0) {
        bounds.Include(nodes.Position(run * NodePool::RunLength - 1));
    }
    return bounds;
}
} // namespace

bool SceneMarkers::MeshMarkers::PointMarked(int32_t k) const {
    return Set(PointFlags, k);
}

bool SceneMarkers::MeshMarkers::LineMarked(int32_t k) const {
    return Set(LineFlags, k);
}

bool SceneMarkers::MeshMarkers::FlagsHeld() const {
    return PointFlags != nullptr && LineFlags != nullptr &&
           PointFlags->size() >= static_cast<size_t>(Points) &&
           LineFlags->size() >= static_cast<size_t>(Lines);
}

SceneMarkers::SceneMarkers(const NodePool& nodes, const JointPool& joints, const ObjectFile& object,
                           const ObjectPlacement& placement, int32_t chosen)
    : Nodes(nodes), Joints(joints) {
    const int32_t meshes = MeshCountOf(object);
    for (int32_t i = 0; i < meshes; ++i) {
        const Mesh& mesh = object.Meshes[static_cast<size_t>(i)];
        // A model whose coordinates are short of its count shows the points it has.
        const auto held = static_cast<int32_t>(std::min(mesh.X.size(), mesh.Y.size()));
        const int32_t points = std::min(PointsOf(mesh), held);
        if (points > 0) {
            const MeshSelection* marks = static_cast<size_t>(i) < placement.Selections.size()
                                             ? &placement.Selections[static_cast<size_t>(i)]
                                             : nullptr;
            Meshes.push_back({&mesh, marks != nullptr ? &marks->PointFlags : nullptr,
                              marks != nullptr ? &marks->LineFlags : nullptr, MeshNodes, points, MeshJoints,
                              points - 1,
                              MeshColour(mesh.Red, mesh.Green, mesh.Blue, ColourFactor(i, chosen))});
        }
        MeshNodes += PointsOf(mesh);
        MeshJoints += LinesOf(mesh);
    }
}

// Binary searches over the meshes' first markers; none beyond the object's.
const SceneMarkers::MeshMarkers* SceneMarkers::MeshOfNode(int32_t index) const {
    const auto after =
        std::upper_bound(Meshes.begin(), Meshes.end(), index,
                         [](int32_t n, const MeshMarkers& mesh) { return n < mesh.FirstNode; });
    if (after == Meshes.begin()) {
        return nullptr;
    }
    const MeshMarkers& mesh = *(after - 1);
    return index < mesh.FirstNode + mesh.Points ? &mesh : nullptr;
}

const SceneMarkers::MeshMarkers* SceneMarkers::MeshOfJoint(int32_t index) const {
    const auto after =
        std::upper_bound(Meshes.begin(), Meshes.end(), index,
                         [](int32_t j, const MeshMarkers& mesh) { return j < mesh.FirstJoint; });
    if (after == Meshes.begin()) {
        return nullptr;
    }
    const MeshMarkers& mesh = *(after - 1);
    return index < mesh.FirstJoint + mesh.Lines ? &mesh : nullptr;
}

// An exact position as placed; a far one mapped again from the model with the view it was placed
// with, which gives the very value the placement had.
SceneMarkers::Centre SceneMarkers::CentreOf(const MeshMarkers* mesh, int32_t node) const {
    if (!Nodes.Exists(node)) {
        return {NAN, NAN};
    }
    const PackedPoint point = Nodes.Position(node);
    if (point.IsExact()) {
        return {static_cast<double>(point.ExactX()), static_cast<double>(point.ExactY())};
    }
    if (mesh == nullptr) {
        return {NAN, NAN};
    }
    const auto k = static_cast<size_t>(node - mesh->FirstNode);
    const ScreenPoint mapped = ModelToScreen(Nodes.PlacedView, mesh->Source->X[k], mesh->Source->Y[k]);
    return {mapped.X, mapped.Y};
}

NodeElement SceneMarkers::NodeAt(int32_t index) const {
    Nodes.CheckExists(index);
    return NodeOf(MeshOfNode(index), index);
}

JointElement SceneMarkers::JointAt(int32_t index) const {
    Joints.CheckExists(index);
    return JointOf(MeshOfJoint(index), index);
}

NodeElement SceneMarkers::NodeOf(const MeshMarkers* mesh, int32_t index) const {
    NodeElement node;
    const Centre centre = CentreOf(mesh, index);
    if (mesh != nullptr) {
        const bool marked = mesh->PointMarked(index - mesh->FirstNode);
        node.FillColor = mesh->Colour;
        node.BorderColor = marked ? White : mesh->Colour;
        node.Width = marked ? 5 : 3;
        node.Height = node.Width;
    }
    node.Left = SinglePosition(centre.X - node.Width / 2.0);
    node.Top = SinglePosition(centre.Y - node.Height / 2.0);
    node.Visible = Nodes.IsShown(index);
    return node;
}

// A segment beyond the object's lines joins the markers beyond its points in the same order.
JointElement SceneMarkers::JointOf(const MeshMarkers* mesh, int32_t index) const {
    JointElement joint;
    int32_t from = MeshNodes + (index - MeshJoints);
    if (mesh != nullptr) {
        const int32_t k = index - mesh->FirstJoint;
        const bool marked = mesh->LineMarked(k);
        from = mesh->FirstNode + k;
        joint.BorderColor = marked ? White : mesh->Colour;
        joint.BorderWidth = marked ? 2 : 1;
    }
    const Centre start = CentreOf(mesh, from);
    const Centre end = CentreOf(mesh, from + 1);
    joint.X1 = SinglePosition(start.X);
    joint.Y1 = SinglePosition(start.Y);
    joint.X2 = SinglePosition(end.X);
    joint.Y2 = SinglePosition(end.Y);
    joint.Visible = Joints.IsShown(index);
    return joint;
}

// Runs first .. last - 1 of one pool cut at the meshes' ends: painting(mesh, from, to) for the parts
// in a mesh, with mesh null for those beyond every mesh.
template <typename Painting>
void SceneMarkers::EachMesh(int32_t first, int32_t last, bool joints, const Painting& painting) const {
    int32_t at = first;
    for (const MeshMarkers& mesh : Meshes) {
        const int32_t start = joints ? mesh.FirstJoint : mesh.FirstNode;
        const int32_t end = start + (joints ? mesh.Lines : mesh.Points);
        if (end <= at) {
            continue;
        }
        if (start >= last) {
            break;
        }
        if (at < start) {
            painting(nullptr, at, start);
        }
        const int32_t to = std::min(end, last);
        painting(&mesh, std::max(at, start), to);
        at = to;
    }
    if (at < last) {
        painting(nullptr, at, last);
    }
}

void SceneMarkers::PaintNodes(PixelCanvas& canvas, int32_t first, int32_t last) const {
    if (Nodes.IsEmpty()) {
        return;
    }
    EachMesh(first, last, false, [&](const MeshMarkers* mesh, int32_t from, int32_t to) {
        if (mesh != nullptr && mesh->FlagsHeld()) {
            PaintMeshNodes(canvas, *mesh, from, to);
            return;
        }
        for (int32_t n = from; n < to; ++n) {
            canvas.PaintNode(NodeOf(mesh, n));
        }
    });
}

void SceneMarkers::PaintJoints(PixelCanvas& canvas, int32_t first, int32_t last) const {
    if (Joints.IsEmpty()) {
        return;
    }
    EachMesh(first, last, true, [&](const MeshMarkers* mesh, int32_t from, int32_t to) {
        if (mesh != nullptr && mesh->FlagsHeld()) {
            PaintMeshJoints(canvas, *mesh, from, to);
            return;
        }
        for (int32_t j = from; j < to; ++j) {
            canvas.PaintJoint(JointOf(mesh, j));
        }
    });
}

// Run by run of the pool: a run wholly outside the clip is passed over, one wholly inside written
// without a test per pixel, and in a run across its edge a marker with an exact position outside it is
// passed over without making its element. A marker with the position and look of the one painted just before
// it has its pixels already, and is passed over too; a far marker is never inside the clip.
void SceneMarkers::PaintMeshNodes(PixelCanvas& canvas, const MeshMarkers& mesh, int32_t first,
                                  int32_t last) const {
    const PackedPoint* const positions = Nodes.PositionData();
    const int16_t* const flags = mesh.PointFlags->data();
    const uint32_t fill = PixelCanvas::Argb(mesh.Colour);
    const uint32_t white = PixelCanvas::Argb(White);
    PackedPoint previous;
    bool previousMarked = false;
    for (int32_t start = first; start < last;) {
        const int32_t run = start / NodePool::RunLength;
        const int32_t end = std::min(last, (run + 1) * NodePool::RunLength);
        const PackedBounds& bounds = Nodes.RunBounds(run);
        const PixelCanvas::Coverage coverage = canvas.CoverageOf(bounds, Reach);
        if (coverage == PixelCanvas::Coverage::Outside && (bounds.Exact || canvas.FarIsOutside())) {
            start = end;
            continue;
        }
        if (coverage == PixelCanvas::Coverage::Inside && bounds.Exact) {
            for (int32_t n = start; n < end; ++n) {
                const PackedPoint point = positions[n];
                const bool marked = flags[n - mesh.FirstNode] != 0;
                if (point == previous && marked == previousMarked) {
                    continue;
                }
                previous = point;
                previousMarked = marked;
                canvas.PaintInsideMarker(point.ExactX(), point.ExactY(), marked, fill, marked ? white : fill);
            }
        } else {
            for (int32_t n = start; n < end; ++n) {
                const PackedPoint point = positions[n];
                const bool marked = flags[n - mesh.FirstNode] != 0;
                if (point.IsExact() && point == previous && marked == previousMarked) {
                    continue;
                }
                previous = point;
                previousMarked = marked;
                if (point.IsExact() && canvas.HoldsWhole(point.ExactX(), point.ExactY(), Reach)) {
                    canvas.PaintInsideMarker(point.ExactX(), point.ExactY(), marked, fill,
                                             marked ? white : fill);
                } else if (!point.IsExact() || !canvas.Misses(point, point, Reach)) {
                    canvas.PaintNode(NodeOf(&mesh, n));
                }
            }
        }
        start = end;
    }
}

// The same for segments, by the runs of their second ends. A plain segment whose ends touch (or
// meet) is passed over: its pixels are the centres of its markers, which the paint order paints after
// it (far out, where a large object's segments shrink to a pixel, that is most of them).
void SceneMarkers::PaintMeshJoints(PixelCanvas& canvas, const MeshMarkers& mesh, int32_t first,
                                   int32_t last) const {
    const PackedPoint* const positions = Nodes.PositionData();
    const int16_t* const flags = mesh.LineFlags->data();
    // Joint j runs from Node(j + shift) to the next.
    const int32_t shift = mesh.FirstNode - mesh.FirstJoint;
    const uint32_t colour = PixelCanvas::Argb(mesh.Colour);
    // Segments whose second marker the pool does not hold yet have no position.
    const int32_t held = std::clamp(Nodes.Count() - shift - 1, first, last);
    for (int32_t start = first; start < held;) {
        const int32_t run = (start + shift + 1) / NodePool::RunLength;
        const int32_t end = std::min(held, (run + 1) * NodePool::RunLength - shift - 1);
        const PackedBounds bounds = JointRunBounds(Nodes, run);
        const PixelCanvas::Coverage coverage = canvas.CoverageOf(bounds, Reach);
        if (bounds.Exact && coverage == PixelCanvas::Coverage::Inside) {
            PaintInsideJoints(canvas, mesh, start, end);
        } else if (!bounds.Exact || coverage != PixelCanvas::Coverage::Outside) {
            for (int32_t j = start; j < end; ++j) {
                const PackedPoint from = positions[j + shift];
                const PackedPoint to = positions[j + shift + 1];
                const bool plain = flags[j - mesh.FirstJoint] == 0;
                if (plain && Touching(from, to)) {
                    continue;
                }
                if (plain && from.IsExact() && to.IsExact() &&
                    canvas.HoldsWhole(from.ExactX(), from.ExactY(), 0) &&
                    canvas.HoldsWhole(to.ExactX(), to.ExactY(), 0)) {
                    canvas.PaintInsideSegment(from.ExactX(), from.ExactY(), to.ExactX(), to.ExactY(), colour);
                } else if (!from.IsExact() || !to.IsExact() || !canvas.Misses(from, to, Reach)) {
                    canvas.PaintJoint(JointOf(&mesh, j));
                }
            }
        }
        start = end;
    }
    for (int32_t j = held; j < last; ++j) {
        canvas.PaintJoint(JointOf(&mesh, j));
    }
}

// Segments first .. last - 1 of a run whose every end is exact and reaches no farther than the clip.
void SceneMarkers::PaintInsideJoints(PixelCanvas& canvas, const MeshMarkers& mesh, int32_t first,
                                     int32_t last) const {
    // Segment k of the mesh runs from its point k to the next.
    const PackedPoint* const points = Nodes.PositionData() + mesh.FirstNode;
    const int16_t* const flags = mesh.LineFlags->data();
    const uint32_t colour = PixelCanvas::Argb(mesh.Colour);
    for (int32_t k = first - mesh.FirstJoint; k < last - mesh.FirstJoint; ++k) {
        const PackedPoint from = points[k];
        const PackedPoint to = points[k + 1];
        if (flags[k] != 0) {
            canvas.PaintJoint(JointOf(&mesh, mesh.FirstJoint + k));
        } else if (!Touching(from, to)) {
            canvas.PaintInsideSegment(from.ExactX(), from.ExactY(), to.ExactX(), to.ExactY(), colour);
        }
    }
}

// By the runs of markers, a segment counted with the marker at its second end. A run that painting
// passes over, its exact positions out of the clip's reach, costs nothing; in reach, a marker costs 8 and a
// segment 3, 17 when its ends lie apart (measured in nanoseconds from far out, where the markers pile up and
// most segments touch, to close in, where the segments are walked pixel by pixel).
int64_t SceneMarkers::PaintCost(bool joints, int32_t first, int32_t last, const PixelCanvas& canvas) const {
    constexpr int64_t Marker = 8;
    constexpr int64_t Segment = 3;
    constexpr int64_t Walked = 14;
    int64_t cost = 0;
    for (int32_t start = first; start < last;) {
        const int32_t run = start / NodePool::RunLength;
        const int32_t end = std::min(last, (run + 1) * NodePool::RunLength);
        const int64_t count = end - start;
        start = end;
        const bool known = run < Nodes.RunCount();
        const PackedBounds bounds = known ? Nodes.RunBounds(run) : PackedBounds{.Exact = false};
        if (bounds.Exact && canvas.CoverageOf(bounds, Reach) == PixelCanvas::Coverage::Outside) {
            continue;
        }
        if (!joints) {
            cost += Marker * count;
            continue;
        }
        const int64_t apart = std::min<int64_t>(bounds.Apart, NodePool::RunLength);
        cost += Segment * count + Walked * count * apart / NodePool::RunLength;
    }
    return cost;
}

// The near ones among runs whose bounds do not rule them all out; a far position may be anywhere.
void SceneMarkers::NodesNear(int32_t first, int32_t last, double x, double y, double reach,
                             const Visit& visit) const {
    const PackedPoint* const positions = Nodes.PositionData();
    EachMesh(first, last, false, [&](const MeshMarkers* mesh, int32_t from, int32_t to) {
        for (int32_t start = from; start < to;) {
            const int32_t run = start / NodePool::RunLength;
            const int32_t end = std::min(to, (run + 1) * NodePool::RunLength);
            const PackedBounds& bounds = Nodes.RunBounds(run);
            for (int32_t n = start;
                 n < end && (mesh == nullptr || !bounds.Exact || !Away(bounds, x, y, reach)); ++n) {
                const PackedPoint point = positions[n];
                if (!point.IsExact() ||
                    (std::abs(point.ExactX() - x) <= reach && std::abs(point.ExactY() - y) <= reach)) {
                    visit(n);
                }
            }
            start = end;
        }
    });
}

// A segment may be near when (x, y) lies within its box widened by `reach`.
void SceneMarkers::JointsNear(int32_t first, int32_t last, double x, double y, double reach,
                              const Visit& visit) const {
    const PackedPoint* const positions = Nodes.PositionData();
    EachMesh(first, last, true, [&](const MeshMarkers* mesh, int32_t from, int32_t to) {
        const int32_t shift = mesh == nullptr ? 0 : mesh->FirstNode - mesh->FirstJoint;
        const int32_t held = mesh == nullptr ? from : std::clamp(Nodes.Count() - shift - 1, from, to);
        for (int32_t start = from; start < held;) {
            const int32_t run = (start + shift + 1) / NodePool::RunLength;
            const int32_t end = std::min(held, (run + 1) * NodePool::RunLength - shift - 1);
            const PackedBounds bounds = JointRunBounds(Nodes, run);
            for (int32_t j = start; j < end && (!bounds.Exact || !Away(bounds, x, y, reach)); ++j) {
                PackedBounds ends;
                ends.Include(positions[j + shift]);
                ends.Include(positions[j + shift + 1]);
                if (!ends.Exact || !Away(ends, x, y, reach)) {
                    visit(j);
                }
            }
            start = end;
        }
        for (int32_t j = held; j < to; ++j) {
            visit(j);
        }
    });
}

} // namespace quillax
