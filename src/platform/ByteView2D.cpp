#include "ByteView2D.h"

#include "RuntimeError.h"

int64_t ByteView2D::RowBytes() const {
    return IsAttached() ? Descriptor->Bounds[1].Elements : 0;
}

int64_t ByteView2D::Rows() const {
    return IsAttached() ? Descriptor->Bounds[0].Elements : 0;
}

bool ByteView2D::Contains(int32_t x, int32_t y) const {
    if (!IsAttached()) {
        return false;
    }
    const int64_t column = static_cast<int64_t>(x) - Descriptor->Bounds[1].LowerBound;
    const int64_t row = static_cast<int64_t>(y) - Descriptor->Bounds[0].LowerBound;
    return column >= 0 && column < RowBytes() && row >= 0 && row < Rows();
}

uint8_t& ByteView2D::operator()(int32_t x, int32_t y) const {
    if (!Contains(x, y)) {
        RaiseError(ErrNo::SubscriptOutOfRange);
    }
    const int64_t column = static_cast<int64_t>(x) - Descriptor->Bounds[1].LowerBound;
    const int64_t row = static_cast<int64_t>(y) - Descriptor->Bounds[0].LowerBound;
    return Descriptor->Data[row * RowBytes() + column];
}
