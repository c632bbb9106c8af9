#pragma once

#include "objects/modObjects.h"
#include "view/MarkerSource.h"
#include "view/NodePool.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace quillax {

// The markers of some meshes: Node(FirstNode) .. Node(FirstNode + NodeCount - 1) and the joints
// likewise, in the numbering that counts every mesh's points and lines in object order.
struct MarkerRange {
    int32_t FirstNode = 0;
    int32_t NodeCount = 0;
    int32_t FirstJoint = 0;
    int32_t JointCount = 0;
};

// The markers of one mesh, cut to the markers the pools hold (a load may still be filling them);
// an empty range for a mesh the object does not have.
MarkerRange MarkersOfMesh(const ObjectFile& object, int32_t mesh, const NodePool& nodes,
                          const JointPool& joints);
// Every marker of the pools.
MarkerRange AllMarkers(const NodePool& nodes, const JointPool& joints);
// The markers of each mesh that `picked` picks, in the object's order, cut as MarkersOfMesh cuts.
std::vector<MarkerRange> MarkersOfMeshes(const ObjectFile& object, const NodePool& nodes,
                                         const JointPool& joints, const std::function<bool(int32_t)>& picked);

// Elements From .. To - 1 of a sequence.
struct ElementSpan {
    int64_t From;
    int64_t To;

    bool operator==(const ElementSpan&) const = default;
};
// The parts of `whole` outside every span of `leftOut` (ascending, none overlapping), in order.
std::vector<ElementSpan> SpansOutside(ElementSpan whole, const std::vector<ElementSpan>& leftOut);

// Where a point marker is drawn about, in pixels.
struct MarkerPoint {
    double X;
    double Y;
};
MarkerPoint MarkerCentre(const NodeElement& node);

enum class MarkerKind { Point, Line };

// A marker found under the pointer: its pool index.
struct MarkerHit {
    MarkerKind Kind;
    int32_t Index;

    bool operator==(const MarkerHit&) const = default;
};

// The point marker of the range whose centre is nearest to (x, y) within `radius` pixels, else the
// segment of the range nearest within `radius`, else none. (x, y) is the pixel under the pointer, in
// the markers' own pixels, so the radius does not change with the zoom. Ties go to the lower index;
// hidden markers, markers without a finite position and the markers of `passedOver` (ascending) are
// never found.
std::optional<MarkerHit> HitMarker(const MarkerSource& markers, const MarkerRange& range, double x, double y,
                                   double radius, const std::vector<MarkerRange>& passedOver = {});

// The mesh a marker belongs to and its point or line index within that mesh.
struct MeshItem {
    int32_t Mesh;
    int32_t Index;

    bool operator==(const MeshItem&) const = default;
};

std::optional<MeshItem> MeshItemOf(const ObjectFile& object, const MarkerHit& hit);

} // namespace quillax
