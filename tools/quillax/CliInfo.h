#pragma once

#include "CliCommand.h"

// quillax info FILE.lin [--json]
int CliInfo(const CliContext& context);
