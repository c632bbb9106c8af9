#pragma once

#include "objects/modObjects.h"

#include <string>
#include <vector>

namespace quillax {

// What a valid object holds that cannot be drawn as given: a centre, a mesh colour or points that are
// NaN or infinite. One line each for the centre and each mesh's colour and points ("mesh 2: 3 points
// are not finite, the first point 4 (x nan, y 7)"); none for an object without any.
std::vector<std::string> NonFiniteWarnings(const ObjectFile& object);

} // namespace quillax
