#pragma once

#include "objectsvg/ObjectSvg.h"
#include "quillax/CliCommand.h"

#include <chrono>
#include <string>

namespace quillax {

// quillax convert [OPTIONS] INPUT OUTPUT
int CliConvert(const CliContext& context);

enum class ObjectFormat { Lin, Json, Svg };

// Reads the object of input in one format and writes it to output in another, through the one output
// path (a FIFO waited on for a reader for at most readerWait); the messages are the command's. The
// exit status.
int ConvertObject(const std::string& input, const std::string& output, ObjectFormat from, ObjectFormat to,
                  const SvgImportOptions& svg, std::chrono::milliseconds readerWait,
                  const CliContext& context, const char* command);

} // namespace quillax
