#include "objectsvg/CurveFlattening.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quillax {

namespace {
double Length(double x, double y) {
    return std::hypot(x, y);
}

// |p0 - 2 p1 + p2|: a second difference of control points.
double Bend(SvgPoint p0, SvgPoint p1, SvgPoint p2) {
    return Length(p0.X - 2 * p1.X + p2.X, p0.Y - 2 * p1.Y + p2.Y);
}

// Steps of the parameter over `span` so that h^2 / 8 * most stays within tolerance.
double StepsFor(double most, double span, double tolerance) {
    return std::max(1.0, std::ceil(span * std::sqrt(most / (8 * tolerance))));
}

double AngleBetween(double ux, double uy, double vx, double vy) {
    return std::atan2(ux * vy - uy * vx, ux * vx + uy * vy);
}
} // namespace

SvgPoint QuadraticAt(SvgPoint p0, SvgPoint p1, SvgPoint p2, double t) {
    const double u = 1 - t;
    return {u * u * p0.X + 2 * u * t * p1.X + t * t * p2.X, u * u * p0.Y + 2 * u * t * p1.Y + t * t * p2.Y};
}

SvgPoint CubicAt(SvgPoint p0, SvgPoint p1, SvgPoint p2, SvgPoint p3, double t) {
    const double u = 1 - t;
    const double a = u * u * u;
    const double b = 3 * u * u * t;
    const double c = 3 * u * t * t;
    const double d = t * t * t;
    return {a * p0.X + b * p1.X + c * p2.X + d * p3.X, a * p0.Y + b * p1.Y + c * p2.Y + d * p3.Y};
}

double QuadraticSteps(SvgPoint p0, SvgPoint p1, SvgPoint p2, double tolerance) {
    // B'' = 2 (p0 - 2 p1 + p2) everywhere.
    return StepsFor(2 * Bend(p0, p1, p2), 1, tolerance);
}

double CubicSteps(SvgPoint p0, SvgPoint p1, SvgPoint p2, SvgPoint p3, double tolerance) {
    // B'' runs linearly between 6 (p0 - 2 p1 + p2) and 6 (p1 - 2 p2 + p3).
    return StepsFor(6 * std::max(Bend(p0, p1, p2), Bend(p1, p2, p3)), 1, tolerance);
}

std::optional<ArcByCentre> ArcCentre(SvgPoint from, double rx, double ry, double rotationDegrees, bool large,
                                     bool sweep, SvgPoint to) {
    rx = std::abs(rx);
    ry = std::abs(ry);
    if ((from.X == to.X && from.Y == to.Y) || rx == 0 || ry == 0) {
        return std::nullopt;
    }
    const double phi = rotationDegrees * std::numbers::pi / 180;
    const double c = std::cos(phi);
    const double s = std::sin(phi);
    // The endpoints' half difference in the ellipse's own axes.
    const double hx = (from.X - to.X) / 2;
    const double hy = (from.Y - to.Y) / 2;
    const double x1 = c * hx + s * hy;
    const double y1 = -s * hx + c * hy;
    const double reach = (x1 * x1) / (rx * rx) + (y1 * y1) / (ry * ry);
    if (reach > 1) {
        rx *= std::sqrt(reach);
        ry *= std::sqrt(reach);
    }
    const double num = rx * rx * ry * ry - rx * rx * y1 * y1 - ry * ry * x1 * x1;
    const double den = rx * rx * y1 * y1 + ry * ry * x1 * x1;
    const double root = (large == sweep ? -1 : 1) * std::sqrt(std::max(0.0, num / den));
    const double cx1 = root * rx * y1 / ry;
    const double cy1 = -root * ry * x1 / rx;
    ArcByCentre arc;
    arc.Centre = {c * cx1 - s * cy1 + (from.X + to.X) / 2, s * cx1 + c * cy1 + (from.Y + to.Y) / 2};
    arc.Rx = rx;
    arc.Ry = ry;
    arc.Rotation = phi;
    const double ux = (x1 - cx1) / rx;
    const double uy = (y1 - cy1) / ry;
    const double vx = (-x1 - cx1) / rx;
    const double vy = (-y1 - cy1) / ry;
    arc.Start = AngleBetween(1, 0, ux, uy);
    double delta = AngleBetween(ux, uy, vx, vy);
    if (!sweep && delta > 0) {
        delta -= 2 * std::numbers::pi;
    } else if (sweep && delta < 0) {
        delta += 2 * std::numbers::pi;
    }
    arc.Sweep = delta;
    return arc;
}

SvgPoint ArcAt(const ArcByCentre& arc, double theta) {
    const double c = std::cos(arc.Rotation);
    const double s = std::sin(arc.Rotation);
    const double x = arc.Rx * std::cos(theta);
    const double y = arc.Ry * std::sin(theta);
    return {arc.Centre.X + c * x - s * y, arc.Centre.Y + s * x + c * y};
}

double ArcSteps(const ArcByCentre& arc, double stretch, double tolerance) {
    // The second derivative in theta is the point's offset from the centre, at most the larger radius.
    return StepsFor(stretch * std::max(arc.Rx, arc.Ry), std::abs(arc.Sweep), tolerance);
}

} // namespace quillax
