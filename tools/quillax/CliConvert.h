#pragma once

#include "quillax/CliCommand.h"

namespace quillax {

// quillax convert [OPTIONS] INPUT OUTPUT
int CliConvert(const CliContext& context);

} // namespace quillax
