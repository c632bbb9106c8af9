#include "quillax/OutputFormat.h"

#include <algorithm>

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
