#include "platform/ByteArray2D.h"

#include "platform/ArrayLimits.h"
#include "platform/RuntimeError.h"

#include <new>

namespace quillax {

ByteArray2D ByteArray2D::Fixed(int32_t lower1, int32_t upper1, int32_t lower2, int32_t upper2) {
    ByteArray2D array;
    array.ReDim(lower1, upper1, lower2, upper2);
    array.FixedSize = true;
    return array;
}

void ByteArray2D::ReDim(int32_t lower1, int32_t upper1, int32_t lower2, int32_t upper2) {
    if (FixedSize) {
        RaiseError(ErrNo::ArrayFixedOrLocked);
    }
    const int64_t count1 = BoundCount(lower1, upper1);
    const int64_t count2 = BoundCount(lower2, upper2);
    if (count1 > MaxArrayElements / count2) {
        RaiseError(ErrNo::OutOfMemory);
    }
    try {
        Bytes.assign(static_cast<size_t>(count1 * count2), 0);
    } catch (const std::bad_alloc&) {
        RaiseError(ErrNo::OutOfMemory);
    }
    Lower1 = lower1;
    Upper1 = upper1;
    Lower2 = lower2;
    Upper2 = upper2;
    Allocated = true;
}

int32_t ByteArray2D::LBound(int dimension) const {
    if (!Allocated || (dimension != 1 && dimension != 2)) {
        RaiseError(ErrNo::SubscriptOutOfRange);
    }
    return dimension == 1 ? Lower1 : Lower2;
}

int32_t ByteArray2D::UBound(int dimension) const {
    if (!Allocated || (dimension != 1 && dimension != 2)) {
        RaiseError(ErrNo::SubscriptOutOfRange);
    }
    return dimension == 1 ? Upper1 : Upper2;
}

bool ByteArray2D::Contains(int32_t x, int32_t y) const {
    return Allocated && x >= Lower1 && x <= Upper1 && y >= Lower2 && y <= Upper2;
}

size_t ByteArray2D::Offset(int32_t x, int32_t y) const {
    if (!Contains(x, y)) {
        RaiseError(ErrNo::SubscriptOutOfRange);
    }
    return static_cast<size_t>(x - static_cast<int64_t>(Lower1)) +
           static_cast<size_t>(y - static_cast<int64_t>(Lower2)) * static_cast<size_t>(Count1());
}

} // namespace quillax
