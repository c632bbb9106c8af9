#pragma once

#include "objects/modObjects.h"

namespace quillax {

// The sample player ship that ships in Assets/PlayerTopb.lin.
ObjectFile SampleShip();

} // namespace quillax
