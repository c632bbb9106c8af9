#pragma once

#include "sceneexport/ExportFormat.h"

#include <optional>
#include <string>
#include <vector>

namespace quillax {

// The format an output is written in: --format when given (asked), otherwise the output name's
// extension, otherwise the first the command writes (so a FIFO, a device or "-" needs no --format).
// Error says why, with Format empty, when the command cannot write the format asked for or the
// name's extension (out.jpg is never a bitmap under another name), or when the two disagree.
struct FormatChoice {
    std::optional<ExportFormat> Format;
    std::string Error;
};
FormatChoice ChooseFormat(const std::string& output, const std::optional<std::string>& asked,
                          const std::vector<ExportFormat>& writable, const std::string& command);

// "bmp or png": the formats a command writes.
std::string FormatList(const std::vector<ExportFormat>& formats);

} // namespace quillax
