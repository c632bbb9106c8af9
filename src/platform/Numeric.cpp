#include "platform/Numeric.h"

#include "platform/RuntimeError.h"

#include <limits>

namespace quillax {

namespace {
template <typename T> T ToInteger(double value) {
    const double rounded = RoundHalfEven(value);
    if (!(rounded >= std::numeric_limits<T>::min() && rounded <= std::numeric_limits<T>::max())) {
        RaiseError(ErrNo::Overflow);
    }
    return static_cast<T>(rounded);
}
} // namespace

int16_t ToInt16(double value) {
    return ToInteger<int16_t>(value);
}

int32_t ToInt32(double value) {
    return ToInteger<int32_t>(value);
}

namespace {
template <typename T> T CheckedInteger(int64_t value) {
    if (value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max()) {
        RaiseError(ErrNo::Overflow);
    }
    return static_cast<T>(value);
}
} // namespace

int16_t CheckedInt16(int64_t value) {
    return CheckedInteger<int16_t>(value);
}

int32_t CheckedInt32(int64_t value) {
    return CheckedInteger<int32_t>(value);
}

} // namespace quillax
