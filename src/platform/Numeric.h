#pragma once

#include <cstdint>

// Conversions with the platform's rules: round to nearest, halves to even; a result outside the
// target's range (or NaN) raises an overflow error.

double RoundHalfEven(double value);
int16_t ToInt16(double value);
int32_t ToInt32(double value);
// Integer arithmetic that must stay within 16 or 32 bits.
int16_t CheckedInt16(int64_t value);
int32_t CheckedInt32(int64_t value);
// Round to single precision, as storing into a 32-bit float does.
inline float ToSingle(double value) {
    return static_cast<float>(value);
}
