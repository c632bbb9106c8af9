#pragma once

#include "quillax/CliCommand.h"

#include <string>

namespace quillax {

// The commands that draw (render, svg, bmp24, convert) live in a module of their own, loaded the
// first time one of them runs from its place beside the libraries, found from the program's own
// file: the others start without QtGui and the forty libraries it brings.
// Runs the one named; when the module cannot be loaded, says why and ends with status 1.
int RunDrawingCommand(const std::string& name, const CliContext& context);

} // namespace quillax
