#pragma once

#include "objectsvg/SvgTransform.h"

#include <optional>

namespace quillax {

// Curves as chords of equal steps of their parameter, as many as keep every point of the curve within
// a tolerance of the chords. Linear interpolation over a step h strays at most h^2 / 8 times the
// largest second derivative, which bounds the count for each kind of curve.

SvgPoint QuadraticAt(SvgPoint p0, SvgPoint p1, SvgPoint p2, double t);
SvgPoint CubicAt(SvgPoint p0, SvgPoint p1, SvgPoint p2, SvgPoint p3, double t);
// The steps for a curve whose control points are in the units of the tolerance; at least 1, and as a
// double, since a tiny tolerance can ask for more than any count holds.
double QuadraticSteps(SvgPoint p0, SvgPoint p1, SvgPoint p2, double tolerance);
double CubicSteps(SvgPoint p0, SvgPoint p1, SvgPoint p2, SvgPoint p3, double tolerance);

// An elliptical arc of SVG's path data (from, radii, x-axis rotation in degrees, the two flags, to) by
// its centre: the point at angle theta is Centre + R(Rotation) (Rx cos theta, Ry sin theta).
struct ArcByCentre {
    SvgPoint Centre;
    double Rx = 0;
    double Ry = 0;
    double Rotation = 0;
    double Start = 0;
    double Sweep = 0;
};
// None where the arc is a straight line (a radius 0) or nothing at all (from is to). Radii too small
// to reach are scaled up, as SVG does.
std::optional<ArcByCentre> ArcCentre(SvgPoint from, double rx, double ry, double rotationDegrees, bool large,
                                     bool sweep, SvgPoint to);
SvgPoint ArcAt(const ArcByCentre& arc, double theta);
// The steps for the arc drawn through a map that stretches lengths at most `stretch` times.
double ArcSteps(const ArcByCentre& arc, double stretch, double tolerance);

} // namespace quillax
