#pragma once

#include "CliCommand.h"

// quillax bmp24 IN.bmp OUT.bmp
int CliBmp24(const CliContext& context);
