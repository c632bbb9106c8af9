#include "quillax/OptionNumbers.h"

#include <charconv>
#include <cmath>

namespace quillax {

std::optional<double> RealIn(const std::string& text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<RealPair> PairIn(const std::string& text) {
    const size_t comma = text.find(',');
    if (comma == std::string::npos) {
        return std::nullopt;
    }
    const std::optional<double> x = RealIn(text.substr(0, comma));
    const std::optional<double> y = RealIn(text.substr(comma + 1));
    return x && y ? std::optional(RealPair{*x, *y}) : std::nullopt;
}

} // namespace quillax
