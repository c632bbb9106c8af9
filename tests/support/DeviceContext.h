#pragma once

#include "gdi/Gdi.h"

#include <QImage>

#include <cstdint>

namespace quillax {

// A memory drawing context holding a black device bitmap of its own, whose pixels a test reads back
// as an image. Header-only, so that a test links the drawing layer only through what it tests.
class DeviceContext {
public:
    DeviceContext(int32_t width, int32_t height);
    ~DeviceContext();
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    uint32_t Dc() const { return Context; }
    // A copy of the bitmap's pixels as 32-bit RGB.
    QImage Image() const;
    void Fill(QRgb colour);

private:
    uint32_t Context;
    uint32_t Bitmap;
};

namespace {
inline QImage PlaneImage(uint32_t bitmap) {
    PixelPlane plane;
    if (!GetBitmapPlane(bitmap, plane)) {
        return {};
    }
    return QImage(plane.Top, plane.Width, plane.Height, plane.Step, QImage::Format_RGB32);
}
} // namespace

inline DeviceContext::DeviceContext(int32_t width, int32_t height) : Context(CreateCompatibleDC(0)) {
    const uint32_t screen = GetDC(GetDesktopWindow());
    Bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(GetDesktopWindow(), screen);
    SelectObject(Context, Bitmap);
}

inline DeviceContext::~DeviceContext() {
    DeleteDC(Context);
    DeleteObject(Bitmap);
}

inline QImage DeviceContext::Image() const {
    return PlaneImage(Bitmap).copy();
}

inline void DeviceContext::Fill(QRgb colour) {
    PlaneImage(Bitmap).fill(colour);
}

} // namespace quillax
