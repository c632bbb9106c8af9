#include "surface/clsOffScreenDC.h"

#include "platform/Numeric.h"
#include "surface/PixelCopy.h"

#include <cstdint>

namespace quillax {

int32_t clsOffScreenDC::ImageColumns() const {
    return CheckedInt32(3 * static_cast<int64_t>(ImageWidth));
}

void clsOffScreenDC::GetByteArray(ByteArray2D& rPic) {
    Guarded("GetByteArray", [&] {
        if (!HoldsPixels()) {
            return;
        }
        const int32_t columns = ImageColumns();
        rPic.ReDim(columns - 1, ImageHeight - 1);
        CopyViewToArray(Pixels, rPic, columns, ImageHeight);
    });
}

void clsOffScreenDC::Get1DByteArray(ByteArray1D& BArray) {
    Guarded("Get1DByteArray", [&] {
        if (!HoldsPixels()) {
            return;
        }
        const int32_t columns = ImageColumns();
        BArray.ReDim(CheckedInt32(static_cast<int64_t>(columns) * ImageHeight) - 1);
        CopyViewToColumns(Pixels, BArray, columns, ImageHeight);
    });
}

void clsOffScreenDC::SetByteArray(const ByteArray2D& sPic) {
    Guarded("SetByteArray", [&] {
        if (!HoldsPixels()) {
            return;
        }
        StoreArrayToView(sPic, Pixels, ImageColumns(), ImageHeight);
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

} // namespace quillax
