#include "platform/ByteArray1D.h"

#include "platform/ArrayLimits.h"
#include "platform/RuntimeError.h"

#include <new>

namespace quillax {

ByteArray1D ByteArray1D::Fixed(int32_t lower, int32_t upper) {
    ByteArray1D array;
    array.ReDim(lower, upper);
    array.FixedSize = true;
    return array;
}

void ByteArray1D::ReDim(int32_t lower, int32_t upper) {
    if (FixedSize) {
        RaiseError(ErrNo::ArrayFixedOrLocked);
    }
    const int64_t count = BoundCount(lower, upper);
    try {
        Bytes.assign(static_cast<size_t>(count), 0);
    } catch (const std::bad_alloc&) {
        RaiseError(ErrNo::OutOfMemory);
    }
    Lower = lower;
    Upper = upper;
    Allocated = true;
}

int32_t ByteArray1D::LBound() const {
    if (!Allocated) {
        RaiseError(ErrNo::SubscriptOutOfRange);
    }
    return Lower;
}

int32_t ByteArray1D::UBound() const {
    if (!Allocated) {
        RaiseError(ErrNo::SubscriptOutOfRange);
    }
    return Upper;
}

size_t ByteArray1D::Offset(int32_t index) const {
    if (!Allocated || index < Lower || index > Upper) {
        RaiseError(ErrNo::SubscriptOutOfRange);
    }
    return static_cast<size_t>(index - static_cast<int64_t>(Lower));
}

} // namespace quillax
