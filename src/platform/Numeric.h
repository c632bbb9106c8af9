#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>

namespace quillax {

// Conversions with the platform's rules: round to nearest, halves to even; a result outside the
// target's range (or NaN) raises an overflow error.

// Without a library call: adding and taking away 2^52 leaves the nearest whole number under the
// default rounding mode; larger magnitudes, infinities and NaN are already their own result, and the
// sign is put back so that -0.3 gives -0 as std::nearbyint does.
inline double RoundHalfEven(double value) {
    constexpr double shift = 0x1p52;
    const double magnitude = std::abs(value);
    if (!(magnitude < shift)) {
        return value;
    }
    return std::copysign((magnitude + shift) - shift, value);
}

// Rounded halves to even and held within T's range; NaN gives 0.
template <typename T> T RoundSaturated(double value) {
    static_assert(std::is_integral_v<T> && sizeof(T) <= 4, "every bound must be exact as a double");
    const double rounded = RoundHalfEven(value);
    if (std::isnan(rounded)) {
        return 0;
    }
    return static_cast<T>(
        std::clamp<double>(rounded, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}

int16_t ToInt16(double value);
int32_t ToInt32(double value);
// Integer arithmetic that must stay within 16 or 32 bits.
int16_t CheckedInt16(int64_t value);
int32_t CheckedInt32(int64_t value);
// Round to single precision, as storing into a 32-bit float does.
inline float ToSingle(double value) {
    return static_cast<float>(value);
}

} // namespace quillax
