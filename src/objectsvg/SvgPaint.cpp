#include "objectsvg/SvgPaint.h"

#include "objectsvg/SvgNumbers.h"
#include "platform/Numeric.h"

#include <QColor>
#include <QString>

#include <algorithm>
#include <string>

namespace quillax {

namespace {
bool SameWord(std::string_view a, std::string_view lower) {
    return std::equal(a.begin(), a.end(), lower.begin(), lower.end(),
                      [](char x, char y) { return (x >= 'A' && x <= 'Z' ? x | 0x20 : x) == y; });
}

// Components of 0 to 255, held there and rounded to whole bytes as a renderer shows them, so that every
// colour read is one that #rrggbb writes back the same.
SvgPaint Colour(double red, double green, double blue) {
    const auto unit = [](double value) { return static_cast<float>(RoundSaturated<uint8_t>(value) / 255.0); };
    return {SvgPaint::Kind::Colour, unit(red), unit(green), unit(blue)};
}

// rgb(r, g, b) or rgba(r, g, b, a), each of r, g, b a number of 0 to 255 or a percentage.
std::optional<SvgPaint> Functional(std::string_view text) {
    const size_t open = text.find('(');
    const std::string_view name = Trimmed(text.substr(0, open));
    if (open == std::string_view::npos || text.back() != ')' ||
        !(SameWord(name, "rgb") || SameWord(name, "rgba"))) {
        return std::nullopt;
    }
    SvgNumbers in(text.substr(open + 1, text.size() - open - 2));
    double values[3];
    for (double& value : values) {
        const std::optional<double> number = in.Number();
        if (!number) {
            return std::nullopt;
        }
        value = *number;
        if (in.Peek() == '%') {
            in.Advance();
            value = value * 255 / 100;
        }
        in.SkipSeparators();
    }
    return Colour(values[0], values[1], values[2]);
}
} // namespace

std::optional<SvgPaint> ParseSvgPaint(std::string_view text) {
    text = Trimmed(text);
    if (SameWord(text, "none") || SameWord(text, "transparent")) {
        return SvgPaint{SvgPaint::Kind::None};
    }
    if (SameWord(text, "currentcolor")) {
        return SvgPaint{SvgPaint::Kind::CurrentColour};
    }
    if (text.substr(0, 4) == "url(") {
        const size_t close = text.find(')');
        return close == std::string_view::npos || Trimmed(text.substr(close + 1)).empty()
                   ? std::nullopt
                   : ParseSvgPaint(text.substr(close + 1));
    }
    if (std::optional<SvgPaint> functional = Functional(text)) {
        return functional;
    }
    // Hexadecimal forms and the colour keywords, as Qt knows them from SVG.
    const QColor colour =
        QColor::fromString(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    if (!colour.isValid() || (text[0] == '#' && text.size() != 4 && text.size() != 7)) {
        return std::nullopt;
    }
    return Colour(colour.red(), colour.green(), colour.blue());
}

} // namespace quillax
