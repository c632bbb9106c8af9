#pragma once

#include "quillax/CliCommand.h"

namespace quillax {

// quillax info FILE.lin [--json]
int CliInfo(const CliContext& context);

} // namespace quillax
