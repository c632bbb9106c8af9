#include "quillax/CliText.h"

#include <algorithm>
#include <cstdio>

namespace quillax {

namespace {
bool IsContinuation(const std::string& text, size_t at, unsigned char low = 0x80, unsigned char high = 0xBF) {
    const auto byte = static_cast<unsigned char>(at < text.size() ? text[at] : 0);
    return byte >= low && byte <= high;
}

// The length of the well-formed UTF-8 sequence at text[at], 0 when there is none.
size_t Utf8Length(const std::string& text, size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return IsContinuation(text, at + 1) ? 2 : 0;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        const unsigned char low = lead == 0xE0 ? 0xA0 : 0x80;
        const unsigned char high = lead == 0xED ? 0x9F : 0xBF;
        return IsContinuation(text, at + 1, low, high) && IsContinuation(text, at + 2) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned char low = lead == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = lead == 0xF4 ? 0x8F : 0xBF;
        return IsContinuation(text, at + 1, low, high) && IsContinuation(text, at + 2) &&
                       IsContinuation(text, at + 3)
                   ? 4
                   : 0;
    }
    return 0;
}

// C0 and DEL, and the C1 controls U+0080 to U+009F, which terminals obey as well.
bool IsControl(const std::string& text, size_t at, size_t length) {
    const auto lead = static_cast<unsigned char>(text[at]);
    return lead < 0x20 || lead == 0x7F ||
           (length == 2 && lead == 0xC2 && IsContinuation(text, at + 1, 0x80, 0x9F));
}
} // namespace

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (size_t at = 0; at < text.size();) {
        const size_t length = Utf8Length(text, at);
        const auto byte = static_cast<unsigned char>(text[at]);
        char escape[8];
        if (length == 0) {
            std::snprintf(escape, sizeof escape, "\\udc%02x", byte);
        } else if (byte < 0x20) {
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
        } else {
            out += byte == '"' || byte == '\\' ? "\\" : "";
            out.append(text, at, length);
            at += length;
            continue;
        }
        out += escape;
        ++at;
    }
    return out + "\"";
}

std::string EscapedText(const std::string& text) {
    std::string out;
    for (size_t at = 0; at < text.size();) {
        const size_t length = Utf8Length(text, at);
        const char c = text[at];
        if (c == '\\' || c == '\n' || c == '\t' || c == '\r') {
            out += c == '\\' ? "\\\\" : c == '\n' ? "\\n" : c == '\t' ? "\\t" : "\\r";
            ++at;
        } else if (length == 0 || IsControl(text, at, length)) {
            for (const size_t end = at + std::max<size_t>(length, 1); at < end; ++at) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\x%02x", static_cast<unsigned char>(text[at]));
                out += escape;
            }
        } else {
            out.append(text, at, length);
            at += length;
        }
    }
    return out;
}

} // namespace quillax
