#include "view/MarkerHitTest.h"

#include <algorithm>

namespace quillax {

namespace {
double Squared(double value) {
    return value * value;
}

// Written so that a NaN anywhere leaves the point outside.
bool Within(double value, double low, double high, double margin) {
    return value >= std::min(low, high) - margin && value <= std::max(low, high) + margin;
}

double SquaredDistanceToNode(const NodeElement& node, double x, double y) {
    const MarkerPoint centre = MarkerCentre(node);
    return Squared(centre.X - x) + Squared(centre.Y - y);
}

// Beside the segment the distance comes from the cross product rather than from the nearest point
// on it, which keeps it exact to the pixel for segments that run far off the area.
double SquaredDistanceToJoint(const JointElement& joint, double x, double y) {
    const double fromX = x - joint.X1;
    const double fromY = y - joint.Y1;
    const double dx = static_cast<double>(joint.X2) - joint.X1;
    const double dy = static_cast<double>(joint.Y2) - joint.Y1;
    const double along = fromX * dx + fromY * dy;
    const double length = Squared(dx) + Squared(dy);
    if (along <= 0) {
        return Squared(fromX) + Squared(fromY);
    }
    if (along >= length) {
        return Squared(x - joint.X2) + Squared(y - joint.Y2);
    }
    return Squared(dx * fromY - dy * fromX) / length;
}

// The index in the spans of the marker with the least squared distance, not above radius squared;
// markers that `near` or `skip` rules out are passed over.
template <typename Element, typename Near, typename Skip, typename Distance>
std::optional<int32_t> Nearest(Element element, Near near, const std::vector<ElementSpan>& spans,
                               double radius, Skip skip, Distance squaredDistance) {
    std::optional<int32_t> nearest;
    double best = Squared(radius);
    for (const ElementSpan& span : spans) {
        near(static_cast<int32_t>(span.From), static_cast<int32_t>(span.To), [&](int32_t i) {
            const auto marker = element(i);
            if (skip(marker)) {
                return;
            }
            const double distance = squaredDistance(marker);
            if (distance < best || (!nearest && distance == best)) {
                best = distance;
                nearest = i;
            }
        });
    }
    return nearest;
}

// The spans of [first, first + count) that the ranges leave, nodes or joints.
std::vector<ElementSpan> SpansLeft(int32_t first, int32_t count, const std::vector<MarkerRange>& passedOver,
                                   bool joints) {
    std::vector<ElementSpan> leftOut;
    for (const MarkerRange& range : passedOver) {
        const int32_t from = joints ? range.FirstJoint : range.FirstNode;
        leftOut.push_back({from, from + (joints ? range.JointCount : range.NodeCount)});
    }
    return SpansOutside({first, static_cast<int64_t>(first) + count}, leftOut);
}

// The part of [first, first + count) that lies inside a pool of `held` elements.
int32_t HeldCount(int32_t first, int32_t count, int32_t held) {
    return std::clamp(held - first, 0, count);
}
} // namespace

MarkerRange MarkersOfMesh(const ObjectFile& object, int32_t mesh, const NodePool& nodes,
                          const JointPool& joints) {
    if (mesh < 0 || mesh >= MeshCountOf(object)) {
        return {};
    }
    MarkerRange range;
    for (int32_t i = 0; i < mesh; ++i) {
        range.FirstNode += PointsOf(object.Meshes[static_cast<size_t>(i)]);
        range.FirstJoint += LinesOf(object.Meshes[static_cast<size_t>(i)]);
    }
    const Mesh& chosen = object.Meshes[static_cast<size_t>(mesh)];
    range.NodeCount = HeldCount(range.FirstNode, PointsOf(chosen), nodes.Count());
    range.JointCount = HeldCount(range.FirstJoint, LinesOf(chosen), joints.Count());
    return range;
}

std::vector<MarkerRange> MarkersOfMeshes(const ObjectFile& object, const NodePool& nodes,
                                         const JointPool& joints,
                                         const std::function<bool(int32_t)>& picked) {
    std::vector<MarkerRange> ranges;
    int32_t firstNode = 0;
    int32_t firstJoint = 0;
    for (int32_t i = 0; i < MeshCountOf(object); ++i) {
        const Mesh& mesh = object.Meshes[static_cast<size_t>(i)];
        if (picked(i)) {
            ranges.push_back({firstNode, HeldCount(firstNode, PointsOf(mesh), nodes.Count()), firstJoint,
                              HeldCount(firstJoint, LinesOf(mesh), joints.Count())});
        }
        firstNode += PointsOf(mesh);
        firstJoint += LinesOf(mesh);
    }
    return ranges;
}

std::vector<ElementSpan> SpansOutside(ElementSpan whole, const std::vector<ElementSpan>& leftOut) {
    std::vector<ElementSpan> spans;
    int64_t from = whole.From;
    for (const ElementSpan& out : leftOut) {
        if (out.From >= whole.To) {
            break;
        }
        if (out.From > from) {
            spans.push_back({from, out.From});
        }
        from = std::max(from, out.To);
    }
    if (from < whole.To) {
        spans.push_back({from, whole.To});
    }
    return spans;
}

MarkerPoint MarkerCentre(const NodeElement& node) {
    return {static_cast<double>(node.Left) + node.Width / 2.0,
            static_cast<double>(node.Top) + node.Height / 2.0};
}

MarkerRange AllMarkers(const NodePool& nodes, const JointPool& joints) {
    return {0, nodes.Count(), 0, joints.Count()};
}

std::optional<MarkerHit> HitMarker(const MarkerSource& markers, const MarkerRange& range, double x, double y,
                                   double radius, const std::vector<MarkerRange>& passedOver) {
    const int32_t nodeCount = HeldCount(range.FirstNode, range.NodeCount, markers.NodeCount());
    const auto node = Nearest([&markers](int32_t n) { return markers.NodeAt(n); },
                              [&](int32_t from, int32_t to, const MarkerSource::Visit& visit) {
                                  markers.NodesNear(from, to, x, y, radius, visit);
                              },
                              SpansLeft(range.FirstNode, nodeCount, passedOver, false), radius,
                              [](const NodeElement& marker) { return !marker.Visible; },
                              [&](const NodeElement& marker) { return SquaredDistanceToNode(marker, x, y); });
    if (node) {
        return MarkerHit{MarkerKind::Point, *node};
    }
    const int32_t jointCount = HeldCount(range.FirstJoint, range.JointCount, markers.JointCount());
    const auto joint =
        Nearest([&markers](int32_t j) { return markers.JointAt(j); },
                [&](int32_t from, int32_t to, const MarkerSource::Visit& visit) {
                    markers.JointsNear(from, to, x, y, radius, visit);
                },
                SpansLeft(range.FirstJoint, jointCount, passedOver, true), radius,
                [&](const JointElement& marker) {
                    return !marker.Visible || !Within(x, marker.X1, marker.X2, radius) ||
                           !Within(y, marker.Y1, marker.Y2, radius);
                },
                [&](const JointElement& marker) { return SquaredDistanceToJoint(marker, x, y); });
    if (joint) {
        return MarkerHit{MarkerKind::Line, *joint};
    }
    return std::nullopt;
}

std::optional<MeshItem> MeshItemOf(const ObjectFile& object, const MarkerHit& hit) {
    const int32_t meshes = MeshCountOf(object);
    int32_t first = 0;
    for (int32_t i = 0; i < meshes && hit.Index >= first; ++i) {
        const Mesh& mesh = object.Meshes[static_cast<size_t>(i)];
        const int32_t count = hit.Kind == MarkerKind::Point ? PointsOf(mesh) : LinesOf(mesh);
        if (hit.Index < first + count) {
            return MeshItem{i, hit.Index - first};
        }
        first += count;
    }
    return std::nullopt;
}

} // namespace quillax
