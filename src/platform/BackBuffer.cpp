#include "BackBuffer.h"

#include "Gdi.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace {
// Opaque black as a 32-bit RGB pixel; a new device bitmap's zero bytes would carry no alpha.
constexpr uint32_t OpaqueBlack = 0xFF000000u;

void FillPlane(const PixelPlane& plane, uint32_t pixel) {
    for (int32_t y = 0; y < plane.Height; ++y) {
        uint8_t* row = plane.Top + y * plane.Step;
        for (int32_t x = 0; x < plane.Width; ++x) {
            std::memcpy(row + 4 * static_cast<ptrdiff_t>(x), &pixel, 4);
        }
    }
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
    FillPlane(plane, OpaqueBlack);
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
    FillPlane(Pixels, OpaqueBlack);
}

QImage BackBuffer::Image() const {
    if (Bits == 0) {
        return {};
    }
    return QImage(Pixels.Top, Pixels.Width, Pixels.Height, Pixels.Step, QImage::Format_RGB32);
}
