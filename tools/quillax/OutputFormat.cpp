#include "quillax/OutputFormat.h"

#include "fileio/OutputFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace quillax {

namespace {
std::optional<ExportFormat> Writable(const std::string& name, const std::vector<ExportFormat>& writable) {
    const std::optional<ExportFormat> format = ExportFormatNamed(name);
    return format && std::find(writable.begin(), writable.end(), *format) != writable.end() ? format
                                                                                            : std::nullopt;
}
} // namespace

CliOption FormatOption(const std::vector<ExportFormat>& writable) {
    return {{"format"},
            "FORMAT",
            QString::fromStdString(FormatList(writable)) + "; needed only where OUTPUT's name does not tell"};
}

CliOption WaitOption() {
    return {{"wait"},
            "SECONDS",
            "how long a FIFO given as OUTPUT is waited on for a program to read it,\n0 to 3600 (default " +
                QString::number(DefaultReaderWait.count() / 1000) + ")"};
}

WaitChoice ChooseWait(const CommandLine& line) {
    if (!line.IsSet("wait")) {
        return {DefaultReaderWait, {}};
    }
    const std::string text = line.Value("wait");
    double seconds = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (error != std::errc() || end != text.data() + text.size() || !(seconds >= 0 && seconds <= 3600)) {
        return {{}, "--wait " + text + ": not a number of seconds from 0 to 3600"};
    }
    return {std::chrono::milliseconds(std::llround(seconds * 1000)), {}};
}

std::string PictureLimitError(ExportFormat format, int64_t width, int64_t height) {
    constexpr int64_t HeaderBytes = 54;
    const int64_t bytes = HeaderBytes + (width * 3 + 3) / 4 * 4 * height;
    if (format != ExportFormat::Bmp || bytes <= std::numeric_limits<int32_t>::max()) {
        return {};
    }
    return "a BMP file of " + std::to_string(width) + " x " + std::to_string(height) + " pixels would take " +
           std::to_string(bytes) + " bytes, more than the " +
           std::to_string(std::numeric_limits<int32_t>::max()) + " the format holds; write a PNG instead";
}

std::string FormatList(const std::vector<ExportFormat>& formats) {
    std::string list;
    for (size_t k = 0; k < formats.size(); ++k) {
        list += std::string(k == 0                    ? ""
                            : k + 1 == formats.size() ? " or "
                                                      : ", ") +
                ExportFormatName(formats[k]);
    }
    return list;
}

FormatChoice ChooseFormat(const CommandLine& line, const std::string& output,
                          const std::vector<ExportFormat>& writable, const std::string& command) {
    const std::optional<std::string> asked =
        line.IsSet("format") ? std::optional(line.Value("format")) : std::nullopt;
    const std::string writes = command + " writes " + FormatList(writable);
    const std::string extension = ExtensionOf(output);
    const std::optional<ExportFormat> named = Writable(extension, writable);
    if (!extension.empty() && !named) {
        return {std::nullopt, output + ": cannot write a ." + extension + " file (" + writes + ")"};
    }
    if (!asked) {
        return {named.value_or(writable.front()), {}};
    }
    const std::optional<ExportFormat> format = Writable(*asked, writable);
    if (!format) {
        return {std::nullopt, "--format " + *asked + ": " + writes + " only"};
    }
    if (named && named != format) {
        return {std::nullopt, output + ": the name asks for " + ExportFormatName(*named) + ", --format for " +
                                  ExportFormatName(*format)};
    }
    return {format, {}};
}

} // namespace quillax
