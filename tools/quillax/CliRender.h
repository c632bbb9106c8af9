#pragma once

#include "quillax/CliCommand.h"

namespace quillax {

// quillax render FILE.lin OUT.bmp|OUT.png [view options]
int CliRender(const CliContext& context);

} // namespace quillax
