#pragma once

#include <optional>
#include <string>

namespace quillax {

// A real number as an option gives it ("0.25", "-3", "1e-3"); none for anything else, an infinity or NaN.
std::optional<double> RealIn(const std::string& text);

// "X,Y": two real numbers with a comma between them.
struct RealPair {
    double X;
    double Y;
};
std::optional<RealPair> PairIn(const std::string& text);

} // namespace quillax
