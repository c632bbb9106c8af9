#pragma once

#include "CliCommand.h"

// quillax render FILE.lin OUT.bmp|OUT.png [view options]
int CliRender(const CliContext& context);
