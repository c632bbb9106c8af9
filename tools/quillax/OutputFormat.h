#pragma once

#include "quillax/CommandLine.h"
#include "sceneexport/ExportFormat.h"

#include <optional>
#include <string>
#include <vector>

namespace quillax {

// The --format option of a command that writes these formats.
CliOption FormatOption(const std::vector<ExportFormat>& writable);

// The format an output is written in: --format when given, otherwise the output name's
// extension, otherwise the first the command writes (so a FIFO, a device or "-" needs no --format).
// Error says why, with Format empty, when the command cannot write the format asked for or the
// name's extension (out.jpg is never a bitmap under another name), or when the two disagree.
struct FormatChoice {
    std::optional<ExportFormat> Format;
    std::string Error;
};
FormatChoice ChooseFormat(const CommandLine& line, const std::string& output,
                          const std::vector<ExportFormat>& writable, const std::string& command);

// "bmp or png": the formats a command writes.
std::string FormatList(const std::vector<ExportFormat>& formats);

} // namespace quillax
