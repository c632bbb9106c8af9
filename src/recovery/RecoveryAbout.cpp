#include "recovery/RecoveryAbout.h"

#include <charconv>
#include <cstdio>

namespace quillax {

namespace {
constexpr std::string_view FirstLine = "quillax-editor recovery copy\n";
constexpr std::string_view FileKey = "file ";
constexpr std::string_view StampKey = "stamp ";

bool Plain(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/' ||
           c == '.' || c == '_' || c == '-' || c == '~';
}

std::string Encoded(std::string_view bytes) {
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (Plain(byte)) {
            text += c;
        } else {
            char escape[4];
            std::snprintf(escape, sizeof escape, "%%%02X", byte);
            text += escape;
        }
    }
    return text;
}

std::optional<std::string> Decoded(std::string_view text) {
    std::string bytes;
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '%') {
            bytes += text[at];
            continue;
        }
        unsigned value = 0;
        if (at + 2 >= text.size() ||
            std::from_chars(text.data() + at + 1, text.data() + at + 3, value, 16).ptr !=
                text.data() + at + 3) {
            return std::nullopt;
        }
        bytes += static_cast<char>(value);
        at += 2;
    }
    return bytes;
}

template <typename Number> bool Take(std::string_view& text, Number& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc()) {
        return false;
    }
    text.remove_prefix(static_cast<size_t>(end - text.data()));
    if (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    return true;
}

std::optional<FileStamp> ParseStamp(std::string_view text) {
    FileStamp stamp;
    if (!Take(text, stamp.Device) || !Take(text, stamp.Inode) || !Take(text, stamp.Size) ||
        !Take(text, stamp.ModifiedNanoseconds) || !Take(text, stamp.Hash) || !text.empty()) {
        return std::nullopt;
    }
    return stamp;
}
} // namespace

std::string AboutText(const RecoveryAbout& about) {
    std::string text(FirstLine);
    text += std::string(FileKey) + Encoded(about.Path) + "\n";
    if (about.Stamp) {
        const FileStamp& stamp = *about.Stamp;
        text += std::string(StampKey) + std::to_string(stamp.Device) + " " + std::to_string(stamp.Inode) +
                " " + std::to_string(stamp.Size) + " " + std::to_string(stamp.ModifiedNanoseconds) + " " +
                std::to_string(stamp.Hash) + "\n";
    }
    return text;
}

std::optional<RecoveryAbout> ParseAbout(std::string_view text) {
    if (!text.starts_with(FirstLine)) {
        return std::nullopt;
    }
    text.remove_prefix(FirstLine.size());
    RecoveryAbout about;
    bool named = false;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        if (end == std::string_view::npos) {
            return std::nullopt;
        }
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        if (line.starts_with(FileKey)) {
            const std::optional<std::string> path = Decoded(line.substr(FileKey.size()));
            if (!path) {
                return std::nullopt;
            }
            about.Path = *path;
            named = true;
        } else if (line.starts_with(StampKey)) {
            about.Stamp = ParseStamp(line.substr(StampKey.size()));
            if (!about.Stamp) {
                return std::nullopt;
            }
        }
    }
    if (!named) {
        return std::nullopt;
    }
    return about;
}

} // namespace quillax
