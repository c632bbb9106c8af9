#pragma once

#include "objects/modObjects.h"
#include "objectsvg/SvgTransform.h"

#include <optional>
#include <string>
#include <vector>

namespace quillax {

// Why a shape could not become meshes.
struct SvgShapeError {
    std::string Reason;
};

// The refusal of a curve when no tolerance was given: what names the curve ("a circle", "a curve (C)").
SvgShapeError CurveRefused(const std::string& what);

// What one shape of an SVG draws, in model units: a polyline per subpath, each a mesh's points. Points
// come in user units and go through toModel; a closed subpath ends on its first point again; curves are
// turned into chords that stray at most `tolerance` model units from them, or refused when there is no
// tolerance. A subpath of one point draws nothing. Every failure throws an SvgShapeError.
class SvgOutline {
public:
    SvgOutline(const SvgAffine& toModel, std::optional<double> tolerance);

    bool TakesCurves() const { return Tolerance.has_value(); }
    void MoveTo(SvgPoint p);
    void LineTo(SvgPoint p);
    void QuadraticTo(SvgPoint control, SvgPoint p);
    void CubicTo(SvgPoint control1, SvgPoint control2, SvgPoint p);
    void ArcTo(double rx, double ry, double rotation, bool large, bool sweep, SvgPoint p);
    void Close();
    // Where the pen is, in user units.
    SvgPoint Current() const { return Pen; }
    SvgPoint SubpathStart() const { return Start; }

    // The polylines, as meshes with their points and nothing else; the outline is empty after.
    std::vector<Mesh> TakeMeshes();

private:
    void Append(SvgPoint user);
    void AppendModel(SvgPoint model);
    void Reserve(double steps);
    void RefuseCurve() const;
    void EndSubpath();
    void StartIfEnded();

    SvgAffine ToModel;
    std::optional<double> Tolerance;
    SvgPoint Pen;
    SvgPoint Start;
    bool Open = false;
    Mesh Drawing;
    std::vector<Mesh> Done;
};

} // namespace quillax
