#include "gdi/BackBuffer.h"

#include "gdi/Gdi.h"

#include <algorithm>

namespace quillax {

namespace {
QImage PlaneImage(const PixelPlane& plane) {
    return QImage(plane.Top, plane.Width, plane.Height, plane.Step, QImage::Format_RGB32);
}
} // namespace

BackBuffer::BackBuffer(int32_t width, int32_t height) : Context(CreateCompatibleDC(0)) {
    Resize(width, height);
}

BackBuffer::~BackBuffer() {
    DeleteDC(Context);
    DeleteObject(Bits);
}

bool BackBuffer::Resize(int32_t width, int32_t height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (Bits != 0 && width == Pixels.Width && height == Pixels.Height) {
        return true;
    }
    const uint32_t bitmap = CreateCompatibleBitmap(Context, width, height);
    PixelPlane plane;
    if (bitmap == 0 || !GetBitmapPlane(bitmap, plane)) {
        return false;
    }
    if (Bits != 0) {
        const uint32_t copy = CreateCompatibleDC(Context);
        SelectObject(copy, bitmap);
        BitBlt(copy, 0, 0, Pixels.Width, Pixels.Height, Context, 0, 0, SRCCOPY);
        DeleteDC(copy);
    }
    SelectObject(Context, bitmap);
    DeleteObject(Bits);
    Bits = bitmap;
    Pixels = plane;
    return true;
}

void BackBuffer::FillBlack() {
    if (Bits != 0) {
        PlaneImage(Pixels).fill(Qt::black);
    }
}

QImage BackBuffer::Image() const {
    return Bits != 0 ? PlaneImage(Pixels) : QImage();
}

} // namespace quillax
