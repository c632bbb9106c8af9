#include "sceneexport/ExportFormat.h"

#include <algorithm>
#include <cctype>

namespace quillax {

namespace {
constexpr ExportFormat Formats[] = {ExportFormat::Bmp, ExportFormat::Png, ExportFormat::Svg};

bool SameLetters(std::string_view given, std::string_view lower) {
    return std::equal(given.begin(), given.end(), lower.begin(), lower.end(),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}
} // namespace

const char* ExportFormatName(ExportFormat format) {
    switch (format) {
    case ExportFormat::Bmp:
        return "bmp";
    case ExportFormat::Png:
        return "png";
    case ExportFormat::Svg:
        return "svg";
    }
    return "";
}

std::optional<ExportFormat> ExportFormatNamed(std::string_view name) {
    for (const ExportFormat format : Formats) {
        if (SameLetters(name, ExportFormatName(format))) {
            return format;
        }
    }
    return std::nullopt;
}

std::string ExtensionOf(const std::string& path) {
    const size_t base = path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1;
    const size_t dot = path.rfind('.');
    return dot == std::string::npos || dot <= base ? std::string() : path.substr(dot + 1);
}

} // namespace quillax
