#pragma once

#include "quillax/CliCommand.h"

namespace quillax {

// quillax info [OPTIONS] FILE...
int CliInfo(const CliContext& context);

} // namespace quillax
