#include "platform/TypedNumber.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace quillax {

namespace {
// The text without its surrounding spaces and a leading "+", or none when what is left cannot be a
// decimal number (from_chars alone would take "inf" and "nan").
std::optional<std::string_view> DecimalPart(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    if (text.front() == '+') {
        text.remove_prefix(1);
    }
    if (text.empty() || text.find_first_not_of("0123456789.eE+-") != std::string_view::npos) {
        return std::nullopt;
    }
    return text;
}

template <typename Number> std::optional<Number> Parsed(std::string_view text) {
    const std::optional<std::string_view> decimal = DecimalPart(text);
    if (!decimal) {
        return std::nullopt;
    }
    Number value = 0;
    const auto [end, error] = std::from_chars(decimal->data(), decimal->data() + decimal->size(), value);
    if (error != std::errc() || end != decimal->data() + decimal->size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}
} // namespace

std::optional<double> TypedNumber(std::string_view text) {
    return Parsed<double>(text);
}

std::optional<float> TypedFloat(std::string_view text) {
    return Parsed<float>(text);
}

} // namespace quillax
