#pragma once

#include "quillax/CliCommand.h"

namespace quillax {

// quillax svg [OPTIONS] FILE OUTPUT
int CliSvg(const CliContext& context);

} // namespace quillax
