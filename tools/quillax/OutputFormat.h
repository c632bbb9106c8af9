#pragma once

#include "quillax/CommandLine.h"
#include "sceneexport/ExportFormat.h"

#include <chrono>
#include <cstdint>
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

// The --wait option of a command that writes a file: how long a FIFO is waited on for a reader.
CliOption WaitOption();
// The wait --wait asks for, DefaultReaderWait when it is not given; Error says why, for a usage
// error, when its value is no number of seconds from 0 to 3600.
struct WaitChoice {
    std::chrono::milliseconds Wait{};
    std::string Error;
};
WaitChoice ChooseWait(const CommandLine& line);

// Why a picture of width x height cannot be written in the format, before it is drawn: a BMP file
// holds at most 2 GiB, its size a signed 32-bit field. Empty when it can be.
std::string PictureLimitError(ExportFormat format, int64_t width, int64_t height);

// "bmp or png": the formats a command writes.
std::string FormatList(const std::vector<ExportFormat>& formats);

} // namespace quillax
