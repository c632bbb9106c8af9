#include "surface/clsOffScreenDC.h"

#include "gdi/Gdi.h"
#include "gdi/PictureService.h"
#include "surface/TempBitmapFile.h"

#include <string>

namespace quillax {

void CheckImageSize(int64_t height, int64_t width) {
    if (height * width > MaxImagePixels) {
        RaiseError(ErrNo::OutOfMemory, "an image of " + std::to_string(width) + " x " +
                                           std::to_string(height) +
                                           " pixels is beyond the surface's limit of " +
                                           std::to_string(MaxImagePixels) + " pixels");
    }
}

namespace {
// A new black device bitmap of the screen's kind. Sizes are checked first, so nothing is allocated or
// discarded before one beyond the limit is refused.
uint32_t ScreenBitmap(int32_t height, int32_t width) {
    CheckImageSize(height, width);
    const uint32_t desktop = GetDesktopWindow();
    const uint32_t screen = GetDC(desktop);
    const uint32_t bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(desktop, screen);
    if (bitmap == 0) {
        RaiseError(ErrNo::OutOfMemory,
                   "an image of " + std::to_string(width) + " x " + std::to_string(height) + " pixels");
    }
    return bitmap;
}
} // namespace

uint32_t clsOffScreenDC::DC() const {
    return MemDC;
}

int32_t clsOffScreenDC::GetHeight() const {
    return MemDC != 0 ? ImageHeight : 0;
}

int32_t clsOffScreenDC::GetWidth() const {
    return MemDC != 0 ? ImageWidth : 0;
}

void clsOffScreenDC::GetSize(int32_t& rHeight, int32_t& rWidth) const {
    if (MemDC != 0) {
        rHeight = ImageHeight;
        rWidth = ImageWidth;
    }
}

PictureRef clsOffScreenDC::GetPictureObject() const {
    return MemDC != 0 ? ImagePicture : nullptr;
}

void clsOffScreenDC::DisplayToDC(uint32_t DestDC) {
    BitBlt(DestDC, 0, 0, ImageWidth, ImageHeight, DC(), 0, 0, SRCCOPY);
}

void clsOffScreenDC::CreateImage(int32_t sHeight, int32_t sWidth) {
    Guarded("CreateImage", [&] {
        if (sHeight <= 0 || sWidth <= 0) {
            return;
        }
        const uint32_t bitmap = ScreenBitmap(sHeight, sWidth);
        NewMemDC();
        MemBitmap = bitmap;
        SelectObject(MemDC, MemBitmap);
        ImageWidth = sWidth;
        ImageHeight = sHeight;
        GetDCsObject();
        MapPixels();
    });
}

void clsOffScreenDC::ResizeDC(int32_t newHeight, int32_t newWidth) {
    Guarded("ResizeDC", [&] {
        if (MemDC == 0) {
            return;
        }
        if (newWidth < 1) {
            newWidth = ImageWidth;
        }
        if (newHeight < 1) {
            newHeight = ImageHeight;
        }
        MemBitmap = ScreenBitmap(newHeight, newWidth);
        const uint32_t newDC = CreateCompatibleDC(MemDC);
        SelectObject(newDC, MemBitmap);
        BitBlt(newDC, 0, 0, newWidth, newHeight, MemDC, 0, 0, SRCCOPY);
        DeleteDC(MemDC);
        ImageWidth = newWidth;
        ImageHeight = newHeight;
        MemDC = newDC;
        GetDCsObject();
        MapPixels();
    });
}

void clsOffScreenDC::RemoveDC() {
    if (MemDC != 0) {
        DeleteDC(MemDC);
        MemDC = 0;
    }
    DeleteMemBitmap();
    ReplacePicture(nullptr);
}

void clsOffScreenDC::NewMemDC() {
    if (MemDC != 0) {
        DeleteDC(MemDC);
    }
    MemDC = CreateCompatibleDC(0);
}

void clsOffScreenDC::DeleteMemBitmap() {
    if (MemBitmap != 0) {
        DeleteObject(MemBitmap);
        MemBitmap = 0;
    }
}

void clsOffScreenDC::MapPixels() {
    BITMAP record;
    if (MemDC == 0 || !ImagePicture || GetObjectA(ImagePicture->Handle(), BitmapRecordSize, &record) == 0 ||
        record.bmBits == nullptr) {
        Pixels.Detach();
        return;
    }
    PixelsDescriptor.Dimensions = 2;
    PixelsDescriptor.ElementSize = 1;
    PixelsDescriptor.Data = static_cast<uint8_t*>(record.bmBits);
    PixelsDescriptor.Bounds[0] = {static_cast<uint32_t>(record.bmHeight), 0};
    PixelsDescriptor.Bounds[1] = {static_cast<uint32_t>(record.bmWidthBytes), 0};
    Pixels.Attach(&PixelsDescriptor);
}

// Trades the device bitmap for a picture loaded from a bitmap file, whose bits can be addressed.
void clsOffScreenDC::GetDCsObject() {
    Guarded("GetDCsObject", [&] {
        ReplacePicture(CreatePicture(MemBitmap, PICTYPE_BITMAP));
        ReplacePicture(RoundTripFileNoFollow(ReloadFilePath(), ImagePicture));
        SelectObject(MemDC, ImagePicture->Handle());
        DeleteMemBitmap();
    });
}

PictureRef clsOffScreenDC::CreatePicture(uint32_t hBitmap, int32_t pictureType) {
    PictureRef picture;
    Guarded("CreatePicture", [&] {
        PICTDESC description;
        description.picType = static_cast<uint32_t>(pictureType);
        description.hbitmap = hBitmap;
        picture = OleCreatePictureIndirect(description, true);
    });
    return picture;
}

void clsOffScreenDC::ReplacePicture(PictureRef picture) {
    Pixels.Detach();
    ImagePicture = std::move(picture);
}

} // namespace quillax
