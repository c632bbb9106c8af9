#pragma once

#include "quillax/CliCommand.h"

namespace quillax {

// quillax bmp24 [OPTIONS] INPUT OUTPUT
int CliBmp24(const CliContext& context);

} // namespace quillax
