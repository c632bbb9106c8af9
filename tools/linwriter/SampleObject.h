#pragma once

#include "linwriter/LinWriter.h"

namespace quillax {

// The sample player ship that ships in Assets/PlayerTopb.lin.
LinObject SampleShip();

} // namespace quillax
