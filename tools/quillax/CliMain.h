#pragma once

#include "quillax/CliCommand.h"

namespace quillax {

// The whole program: context.Arguments are those after the program's name. `quillax COMMAND ...`
// runs a command; `help [COMMAND]`, `--help`, `version` and `--version` answer on Out.
int RunQuillax(const CliContext& context);

} // namespace quillax
