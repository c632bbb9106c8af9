#include "objectsvg/SvgOutline.h"

#include "objectsvg/CurveFlattening.h"

#include <cmath>

namespace quillax {

namespace {
constexpr size_t MostPoints = 32767;
}

SvgShapeError CurveRefused(const std::string& what) {
    return {what + ": give --flatten TOLERANCE to turn curves into segments"};
}

SvgOutline::SvgOutline(const SvgAffine& toModel, std::optional<double> tolerance)
    : ToModel(toModel), Tolerance(tolerance) {}

void SvgOutline::Reserve(double steps) {
    if (static_cast<double>(Drawing.X.size()) + steps > MostPoints) {
        throw SvgShapeError{"more than " + std::to_string(MostPoints) + " points in one " +
                            (Tolerance ? "subpath (give a larger flattening tolerance)" : "subpath") +
                            ": a mesh holds at most 32767"};
    }
}

void SvgOutline::AppendModel(SvgPoint model) {
    const auto x = static_cast<float>(model.X);
    const auto y = static_cast<float>(model.Y);
    if (!std::isfinite(x) || !std::isfinite(y)) {
        throw SvgShapeError{"a point beyond the range of a 32-bit float in model units"};
    }
    Reserve(1);
    Drawing.X.push_back(x);
    Drawing.Y.push_back(y);
}

void SvgOutline::Append(SvgPoint user) {
    AppendModel(ToModel.Apply(user));
}

void SvgOutline::RefuseCurve() const {
    if (!Tolerance) {
        throw CurveRefused("a curve");
    }
}

void SvgOutline::EndSubpath() {
    if (Drawing.X.size() >= 2) {
        Drawing.PointCount = static_cast<int16_t>(Drawing.X.size());
        Done.push_back(std::move(Drawing));
    }
    Drawing = Mesh{};
    Open = false;
}

// A drawing command after a close starts a new subpath where the closed one began.
void SvgOutline::StartIfEnded() {
    if (!Open) {
        Append(Start);
        Open = true;
    }
}

void SvgOutline::MoveTo(SvgPoint p) {
    EndSubpath();
    Pen = Start = p;
    Append(p);
    Open = true;
}

void SvgOutline::LineTo(SvgPoint p) {
    StartIfEnded();
    Append(p);
    Pen = p;
}

void SvgOutline::QuadraticTo(SvgPoint control, SvgPoint p) {
    RefuseCurve();
    StartIfEnded();
    const SvgPoint m0 = ToModel.Apply(Pen);
    const SvgPoint m1 = ToModel.Apply(control);
    const SvgPoint m2 = ToModel.Apply(p);
    const double steps = QuadraticSteps(m0, m1, m2, *Tolerance);
    Reserve(steps);
    for (double k = 1; k <= steps; ++k) {
        AppendModel(QuadraticAt(m0, m1, m2, k / steps));
    }
    Pen = p;
}

void SvgOutline::CubicTo(SvgPoint control1, SvgPoint control2, SvgPoint p) {
    RefuseCurve();
    StartIfEnded();
    const SvgPoint m0 = ToModel.Apply(Pen);
    const SvgPoint m1 = ToModel.Apply(control1);
    const SvgPoint m2 = ToModel.Apply(control2);
    const SvgPoint m3 = ToModel.Apply(p);
    const double steps = CubicSteps(m0, m1, m2, m3, *Tolerance);
    Reserve(steps);
    for (double k = 1; k <= steps; ++k) {
        AppendModel(CubicAt(m0, m1, m2, m3, k / steps));
    }
    Pen = p;
}

void SvgOutline::ArcTo(double rx, double ry, double rotation, bool large, bool sweep, SvgPoint p) {
    StartIfEnded();
    const std::optional<ArcByCentre> arc = ArcCentre(Pen, rx, ry, rotation, large, sweep, p);
    if (!arc) {
        if (Pen.X != p.X || Pen.Y != p.Y) {
            Append(p);
        }
        Pen = p;
        return;
    }
    RefuseCurve();
    const double steps = ArcSteps(*arc, ToModel.Stretch(), *Tolerance);
    Reserve(steps);
    for (double k = 1; k < steps; ++k) {
        Append(ArcAt(*arc, arc->Start + arc->Sweep * k / steps));
    }
    // The arc ends exactly where the path data says.
    Append(p);
    Pen = p;
}

void SvgOutline::Close() {
    if (Open && !Drawing.X.empty()) {
        const SvgPoint first = ToModel.Apply(Start);
        if (Drawing.X.back() != static_cast<float>(first.X) ||
            Drawing.Y.back() != static_cast<float>(first.Y)) {
            Append(Start);
        }
    }
    EndSubpath();
    Pen = Start;
}

std::vector<Mesh> SvgOutline::TakeMeshes() {
    EndSubpath();
    return std::move(Done);
}

} // namespace quillax
