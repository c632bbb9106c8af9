#pragma once

#include "quillax/CliCommand.h"

namespace quillax {

// quillax check FILE.lin...
int CliCheck(const CliContext& context);

} // namespace quillax
