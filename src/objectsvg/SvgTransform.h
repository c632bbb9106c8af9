#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillax {

struct SvgPoint {
    double X = 0;
    double Y = 0;
};

// An affine map as SVG's matrix(a b c d e f) spells it: x' = a x + c y + e, y' = b x + d y + f.
struct SvgAffine {
    double A = 1, B = 0, C = 0, D = 1, E = 0, F = 0;

    // The point through the map; the identity gives it back as it is, minus zero included, which the sum
    // would turn into zero.
    SvgPoint Apply(SvgPoint p) const {
        if (A == 1 && B == 0 && C == 0 && D == 1 && E == 0 && F == 0) {
            return p;
        }
        return {A * p.X + C * p.Y + E, B * p.X + D * p.Y + F};
    }
    // This map after `inner`: what an element's transform gives inside its parent's.
    SvgAffine After(const SvgAffine& inner) const;
    // The most the map stretches any length: the largest singular value of its linear part.
    double Stretch() const;
};

// A transform attribute's list (matrix, translate, scale, rotate, skewX, skewY), applied from the
// right as SVG applies them; why not, when it is not one.
struct ParsedTransform {
    std::optional<SvgAffine> Transform;
    std::string Error;
};
ParsedTransform ParseSvgTransform(std::string_view text);

} // namespace quillax
