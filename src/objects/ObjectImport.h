#pragma once

#include "objects/modObjects.h"

#include <optional>
#include <string>

namespace quillax {

// An object read from another format: the object, or why not, with where in the text ("line 3,
// column 14: ...").
struct ObjectImport {
    std::optional<ObjectFile> Object;
    std::string Error;
};

} // namespace quillax
