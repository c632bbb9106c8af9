#pragma once

#include "LinWriter.h"

// The sample player ship that ships in Assets/PlayerTopb.lin.
LinObject SampleShip();
