#pragma once

#include <optional>
#include <string_view>

namespace quillax {

// A number as a person types it into a field: an optional sign, decimal digits with an optional
// point and exponent ("12.5", "-4", "+3e2", ".5"), spaces around it ignored. Anything else, and
// "inf" or "nan", is no number.

// A finite double.
std::optional<double> TypedNumber(std::string_view text);
// The float nearest to the text, read straight from it (never through a double, which could round
// twice); none beyond the float range.
std::optional<float> TypedFloat(std::string_view text);

} // namespace quillax
