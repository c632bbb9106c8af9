#include "objectsvg/SvgNumbers.h"

#include <charconv>

namespace quillax {

namespace {
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
} // namespace

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\n\r\f");
    return first == std::string_view::npos
               ? std::string_view()
               : text.substr(first, text.find_last_not_of(" \t\n\r\f") - first + 1);
}

void SvgNumbers::SkipSpace() {
    while (At < Text.size() && IsSpace(Text[At])) {
        ++At;
    }
}

void SvgNumbers::SkipSeparators() {
    SkipSpace();
    if (At < Text.size() && Text[At] == ',') {
        ++At;
        SkipSpace();
    }
}

bool SvgNumbers::AtEnd() {
    SkipSpace();
    return At >= Text.size();
}

char SvgNumbers::Peek() {
    SkipSpace();
    return At < Text.size() ? Text[At] : '\0';
}

size_t SvgNumbers::Digits() {
    const size_t start = At;
    while (At < Text.size() && IsDigit(Text[At])) {
        ++At;
    }
    return At - start;
}

std::optional<double> SvgNumbers::Number() {
    SkipSpace();
    const size_t start = At;
    // from_chars takes a minus sign but no plus sign.
    const size_t from = start + (At < Text.size() && Text[At] == '+' ? 1 : 0);
    At += At < Text.size() && (Text[At] == '+' || Text[At] == '-') ? 1 : 0;
    size_t digits = Digits();
    if (At < Text.size() && Text[At] == '.') {
        ++At;
        digits += Digits();
    }
    if (digits == 0) {
        At = start;
        return std::nullopt;
    }
    if (At < Text.size() && (Text[At] == 'e' || Text[At] == 'E')) {
        const size_t mark = At++;
        At += At < Text.size() && (Text[At] == '+' || Text[At] == '-') ? 1 : 0;
        if (Digits() == 0) {
            At = mark;
        }
    }
    double value = 0;
    const auto [end, error] = std::from_chars(Text.data() + from, Text.data() + At, value);
    if (error != std::errc() || end != Text.data() + At) {
        At = start;
        return std::nullopt;
    }
    return value;
}

std::string_view SvgNumbers::Word() {
    SkipSpace();
    const size_t start = At;
    while (At < Text.size() && ((Text[At] | 0x20) >= 'a' && (Text[At] | 0x20) <= 'z')) {
        ++At;
    }
    return Text.substr(start, At - start);
}

std::optional<bool> SvgNumbers::Flag() {
    const char c = Peek();
    if (c != '0' && c != '1') {
        return std::nullopt;
    }
    ++At;
    return c == '1';
}

} // namespace quillax
