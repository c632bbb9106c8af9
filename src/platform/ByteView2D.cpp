#include "platform/ByteView2D.h"

#include "platform/RuntimeError.h"

namespace quillax {

int64_t ByteView2D::RowBytes() const {
    return IsAttached() ? Descriptor->Bounds[1].Elements : 0;
}

int64_t ByteView2D::Rows() const {
    return IsAttached() ? Descriptor->Bounds[0].Elements : 0;
}

int64_t ByteView2D::Offset(int32_t x, int32_t y) const {
    if (!IsAttached()) {
        return -1;
    }
    const int64_t column = static_cast<int64_t>(x) - Descriptor->Bounds[1].LowerBound;
    const int64_t row = static_cast<int64_t>(y) - Descriptor->Bounds[0].LowerBound;
    if (column < 0 || column >= RowBytes() || row < 0 || row >= Rows()) {
        return -1;
    }
    return row * RowBytes() + column;
}

bool ByteView2D::Contains(int32_t x, int32_t y) const {
    return Offset(x, y) >= 0;
}

uint8_t& ByteView2D::operator()(int32_t x, int32_t y) const {
    const int64_t offset = Offset(x, y);
    if (offset < 0) {
        RaiseError(ErrNo::SubscriptOutOfRange);
    }
    return Descriptor->Data[offset];
}

} // namespace quillax
