#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillax {

// The formats a view can be written in.
enum class ExportFormat { Bmp, Png, Svg };

// "bmp", "png" or "svg": the name --format takes and the extension of a file of the format.
const char* ExportFormatName(ExportFormat format);
// The format of that name in any case; none for any other.
std::optional<ExportFormat> ExportFormatNamed(std::string_view name);
// The extension of a file name's last part, after its last dot, as given; empty when it has none
// (a name that starts with its only dot, ".svg", has none either).
std::string ExtensionOf(const std::string& path);

} // namespace quillax
