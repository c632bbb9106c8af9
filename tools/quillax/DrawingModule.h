#pragma once

#include "quillax/CliCommand.h"

namespace quillax {

// What the program and its drawing module agree on: the module's file, and its one entry, which runs
// the drawing command named and reports its errors itself.
inline constexpr const char* DrawingModuleName = "libquillax-drawing.so";
inline constexpr const char* DrawingEntryName = "QuillaxRunDrawingCommand";
using DrawingEntry = int (*)(const char* name, const CliContext& context);

} // namespace quillax
