#pragma once

#include "objects/modObjects.h"

#include <string>

namespace quillax {

// Loading an object file for the command line: every outcome as one line of text.
struct LoadOutcome {
    bool Loaded;
    std::string Message;
};

// Loads the file named on the command line, "-" for standard input.
LoadOutcome LoadForCli(const std::string& name, ObjectFile& object, ObjectPlacement& placement);
// The same for a command that draws nothing, so has no use for the placement.
LoadOutcome LoadForCli(const std::string& name, ObjectFile& object);

} // namespace quillax
