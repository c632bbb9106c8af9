#pragma once

#include <optional>
#include <string_view>

namespace quillax {

// A stroke or fill as SVG gives it: none, the element's colour property, or a colour of 0 to 1 a
// component.
struct SvgPaint {
    enum class Kind { None, CurrentColour, Colour };
    Kind Is = Kind::Colour;
    float Red = 0;
    float Green = 0;
    float Blue = 0;
};

// Colours come as whole bytes (rgb(50%, ...) is 128 / 255), as #rrggbb can write them back.
// "none" (or "transparent"), "currentColor", "#rgb", "#rrggbb", "rgb(255, 0, 0)", "rgb(100%, 0%, 0%)" (alpha
// forms taken, their alpha not), a colour keyword ("red"); a paint server's fallback ("url(#g) red"). None
// for anything else, and for a paint server without a fallback.
std::optional<SvgPaint> ParseSvgPaint(std::string_view text);

} // namespace quillax
