#pragma once

#include "objects/modObjects.h"

#include <string>

namespace quillax {

// Loading an object file for the command line: every outcome as one line of text.
struct LoadOutcome {
    bool Loaded;
    std::string Message;
};

LoadOutcome LoadForCli(const std::string& fileName, ObjectFile& object, ObjectPlacement& placement);

} // namespace quillax
