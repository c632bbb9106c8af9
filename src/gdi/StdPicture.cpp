#include "gdi/StdPicture.h"

#include "gdi/Gdi.h"

namespace quillax {

StdPicture::StdPicture(uint32_t bitmap, int32_t type, bool ownsHandle)
    : BitmapHandle(bitmap), PictureType(type), OwnsHandle(ownsHandle) {}

StdPicture::~StdPicture() {
    if (OwnsHandle) {
        DeleteObject(BitmapHandle);
    }
}

} // namespace quillax
