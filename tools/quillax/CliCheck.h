#pragma once

#include "CliCommand.h"

// quillax check FILE.lin...
int CliCheck(const CliContext& context);
