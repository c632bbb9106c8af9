#include "clsOffScreenDC.h"

#include "PixelCopy.h"

#include <cstdint>

namespace {
int32_t CheckedInt32(int64_t value) {
    if (value < INT32_MIN || value > INT32_MAX) {
        RaiseError(ErrNo::Overflow);
    }
    return static_cast<int32_t>(value);
}
} // namespace

void clsOffScreenDC::GetByteArray(ByteArray2D& rPic) {
    Guarded("GetByteArray", [&] {
        if (!HoldsPixels()) {
            return;
        }
        const int32_t columns = CheckedInt32(3 * static_cast<int64_t>(ImageWidth));
        rPic.ReDim(columns - 1, ImageHeight - 1);
        CopyViewToArray(Pixels, rPic, columns, ImageHeight);
    });
}

void clsOffScreenDC::Get1DByteArray(ByteArray1D& BArray) {
    Guarded("Get1DByteArray", [&] {
        if (!HoldsPixels()) {
            return;
        }
        const int32_t columns = CheckedInt32(3 * static_cast<int64_t>(ImageWidth));
        BArray.ReDim(CheckedInt32(static_cast<int64_t>(columns) * ImageHeight) - 1);
        CopyViewToColumns(Pixels, BArray, columns, ImageHeight);
    });
}

void clsOffScreenDC::SetByteArray(const ByteArray2D& sPic) {
    Guarded("SetByteArray", [&] {
        if (!HoldsPixels()) {
            return;
        }
        StoreArrayToView(sPic, Pixels, CheckedInt32(3 * static_cast<int64_t>(ImageWidth)), ImageHeight);
    });
}

void clsOffScreenDC::Set1DByteArray(const ByteArray1D& BArray, int32_t tHeight, int32_t tWidth) {
    Guarded("Set1DByteArray", [&] {
        if (!HoldsPixels()) {
            return;
        }
        ByteArray2D layout;
        layout.ReDim(CheckedInt32(3 * static_cast<int64_t>(tWidth) - 1),
                     CheckedInt32(static_cast<int64_t>(tHeight) - 1));
        FillFromColumns(BArray, layout);
        SetByteArray(layout);
    });
}
