#include "objectsvg/SvgTransform.h"

#include "objectsvg/SvgNumbers.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace quillax {

namespace {
double Radians(double degrees) {
    return degrees * std::numbers::pi / 180;
}

// The cosine and sine of an angle in degrees, exact at the quarter turns editors write most: a point
// turned by rotate(-90) lands on whole numbers, not 2.4492936e-15 beside them.
struct Turn {
    double Cos;
    double Sin;
};
Turn TurnOf(double degrees) {
    const double quarter = std::fmod(degrees, 360.0) / 90;
    if (quarter == std::floor(quarter)) {
        constexpr Turn Quarters[] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
        return Quarters[(static_cast<int>(quarter) + 4) % 4];
    }
    return {std::cos(Radians(degrees)), std::sin(Radians(degrees))};
}

// The map one named transform gives with its numbers; none when their count does not fit.
std::optional<SvgAffine> Named(std::string_view name, const std::vector<double>& v) {
    const size_t n = v.size();
    if (name == "matrix" && n == 6) {
        return SvgAffine{v[0], v[1], v[2], v[3], v[4], v[5]};
    }
    if (name == "translate" && (n == 1 || n == 2)) {
        return SvgAffine{1, 0, 0, 1, v[0], n == 2 ? v[1] : 0};
    }
    if (name == "scale" && (n == 1 || n == 2)) {
        return SvgAffine{v[0], 0, 0, n == 2 ? v[1] : v[0], 0, 0};
    }
    if (name == "rotate" && (n == 1 || n == 3)) {
        const Turn by = TurnOf(v[0]);
        const SvgAffine turn{by.Cos, by.Sin, -by.Sin, by.Cos, 0, 0};
        if (n == 1) {
            return turn;
        }
        return SvgAffine{1, 0, 0, 1, v[1], v[2]}.After(turn).After(SvgAffine{1, 0, 0, 1, -v[1], -v[2]});
    }
    if (name == "skewX" && n == 1) {
        return SvgAffine{1, 0, std::tan(Radians(v[0])), 1, 0, 0};
    }
    if (name == "skewY" && n == 1) {
        return SvgAffine{1, std::tan(Radians(v[0])), 0, 1, 0, 0};
    }
    return std::nullopt;
}
} // namespace

SvgAffine SvgAffine::After(const SvgAffine& inner) const {
    return {A * inner.A + C * inner.B, B * inner.A + D * inner.B,     A * inner.C + C * inner.D,
            B * inner.C + D * inner.D, A * inner.E + C * inner.F + E, B * inner.E + D * inner.F + F};
}

double SvgAffine::Stretch() const {
    // The singular values of [[A C] [B D]] are sqrt((s +- r) / 2), s the sum of squares.
    const double s = A * A + B * B + C * C + D * D;
    const double det = A * D - B * C;
    return std::sqrt((s + std::sqrt(std::max(0.0, s * s - 4 * det * det))) / 2);
}

ParsedTransform ParseSvgTransform(std::string_view text) {
    SvgNumbers in(text);
    SvgAffine whole;
    const auto refuse = [&] {
        return ParsedTransform{std::nullopt, "not a transform: " + std::string(text)};
    };
    while (!in.AtEnd()) {
        const std::string_view name = in.Word();
        if (in.Peek() != '(') {
            return refuse();
        }
        in.Advance();
        std::vector<double> values;
        while (const std::optional<double> value = in.Number()) {
            values.push_back(*value);
            in.SkipSeparators();
        }
        const std::optional<SvgAffine> step = Named(name, values);
        if (!step || in.Peek() != ')') {
            return refuse();
        }
        in.Advance();
        in.SkipSeparators();
        whole = whole.After(*step);
    }
    return {whole, {}};
}

} // namespace quillax
