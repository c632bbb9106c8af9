#pragma once

#include "quillax/CliCommand.h"

namespace quillax {

// quillax bmp24 IN.bmp OUT.bmp
int CliBmp24(const CliContext& context);

} // namespace quillax
