#pragma once

#include "quillax/CliCommand.h"

namespace quillax {

// quillax render [OPTIONS] FILE OUTPUT
int CliRender(const CliContext& context);

} // namespace quillax
