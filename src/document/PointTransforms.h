#pragma once

#include "document/ObjectDocument.h"
#include "objects/modObjects.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace quillax {

// The arithmetic of moving, turning, scaling and mirroring points of a mesh: every result is
// computed in double precision from the points as they are and stored as a float. Model Y grows
// downwards on screen, so a positive angle turns counter-clockwise as the drawing area shows it.

struct PlanePoint {
    double X = 0;
    double Y = 0;
};

// An affine map about a pivot: x' = XX (x - px) + XY (y - py) + px + ShiftX, and likewise for y.
struct PointMap {
    double XX = 1;
    double XY = 0;
    double YX = 0;
    double YY = 1;
    PlanePoint Pivot;
    PlanePoint Shift;
};

// The points an edit of a mesh acts on: the marked ones, or every point when none is marked.
std::vector<int32_t> TargetPoints(const Mesh& mesh, const MeshSelection& marks);

// The smallest box around the points with finite coordinates; none when there is no such point.
struct PointBounds {
    double Left = 0;
    double Top = 0;
    double Right = 0;
    double Bottom = 0;
    PlanePoint Centre() const { return {(Left + Right) / 2, (Top + Bottom) / 2}; }
};
std::optional<PointBounds> BoundsOf(const Mesh& mesh, const std::vector<int32_t>& points);

// Turned by `degrees`; a multiple of 90 turns exactly, with no rounding of sines, so whole-unit points
// turned about a pivot whose coordinates are both whole or both halves stay on whole units.
PointMap Rotation(double degrees, PlanePoint pivot);
PointMap Scaling(double factorX, double factorY, PlanePoint pivot);
// Mirrored left to right (horizontally) or top to bottom.
PointMap Mirror(bool horizontally, PlanePoint pivot);
PointMap Translation(double dx, double dy);

// The moves that take each of `points` through the map, and the first point whose place would be
// no finite float (then nothing may move).
struct MappedPoints {
    std::vector<PointMove> Moves;
    std::optional<int32_t> Unfit;
};
MappedPoints MapPoints(const Mesh& mesh, const std::vector<int32_t>& points, const PointMap& map);

// The distance between two points, and the angle of the line from the first to the second, in
// degrees counter-clockwise from the X axis as the drawing area shows it (-180 to 180).
double DistanceBetween(PlanePoint from, PlanePoint to);
double AngleOf(PlanePoint from, PlanePoint to);

} // namespace quillax
