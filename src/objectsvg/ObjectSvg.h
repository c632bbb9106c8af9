#pragma once

#include "objects/ObjectImport.h"
#include "objects/modObjects.h"

#include <optional>
#include <string>
#include <string_view>

namespace quillax {

// How an SVG document becomes an object.
struct SvgImportOptions {
    // Model units per user unit.
    double Scale = 1;
    float CentreX = 0;
    float CentreY = 0;
    // How far, in model units, segments may stray from the curves they stand for; none refuses curves.
    std::optional<double> Tolerance;
};

// An object of the shapes of an SVG document, a mesh for each polyline, polygon, line, rect and
// subpath of a path (circle and ellipse too, as curves), in document order: its points in user units
// through every transform of the shape and the groups around it, times Scale; a closed shape ends on
// its first point again. A mesh's colour is its stroke's, else its fill's where one is given, else white.
// What is not drawn (defs, symbols, masks, text, images, anything under display:none, or outside SVG's
// namespace) is passed over. A use element, a nested svg, a length in other units than px, a curve
// without a tolerance, or no shape at all are refused with the line, the element and why.
ObjectImport ObjectFromSvg(std::string_view document, const SvgImportOptions& options);

// The object as an SVG document in model units: a polyline per mesh ("mesh-0", ...) with the mesh's
// colour as its stroke (one pixel wide at any zoom), its points as the shortest decimals that read back
// the same, and a view box around them, so that ObjectFromSvg gives back the same points. A point
// that is not finite cannot be written: Error says which, and Text is empty.
struct ModelSvg {
    std::string Text;
    std::string Error;
};
ModelSvg ModelSvgText(const ObjectFile& object);

} // namespace quillax
