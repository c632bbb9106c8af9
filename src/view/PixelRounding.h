#pragma once

#include "Numeric.h"

#include <cmath>

// RoundHalfEven without a library call in the common range: adding and taking away 1.5 x 2^52 leaves
// the nearest whole number under the default rounding mode, halves to even. Same results everywhere.
inline double NearestWhole(double value) {
    constexpr double shift = 6755399441055744.0;
    return std::abs(value) < 0x1p51 ? (value + shift) - shift : RoundHalfEven(value);
}
