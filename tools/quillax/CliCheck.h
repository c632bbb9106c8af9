#pragma once

#include "quillax/CliCommand.h"

namespace quillax {

// quillax check [OPTIONS] FILE...
int CliCheck(const CliContext& context);

} // namespace quillax
