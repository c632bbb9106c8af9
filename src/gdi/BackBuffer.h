#pragma once

#include "gdi/GdiTypes.h"

#include <QImage>

#include <cstdint>

namespace quillax {

// Pixels kept the way a window's backing store keeps them: a device bitmap of the drawing layer,
// selected into a memory context of its own. Block copies onto hDC() write straight into the bitmap,
// with nothing to ask of Qt per copy; Image() shows the same pixels to Qt.
class BackBuffer {
public:
    // Black, at least 1 x 1.
    BackBuffer(int32_t width, int32_t height);
    ~BackBuffer();
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;

    uint32_t hDC() const { return Context; }
    int32_t Width() const { return Pixels.Width; }
    int32_t Height() const { return Pixels.Height; }
    // Keeps the pixels where they were, cut to the new size; new area is black. When the memory
    // cannot be had, everything stays as it was and the result is false.
    bool Resize(int32_t width, int32_t height);
    void FillBlack();
    // A view of the pixels as 32-bit RGB, valid until the next Resize; writes through it land in the
    // buffer. A null image when the buffer has no memory.
    QImage Image() const;

private:
    uint32_t Context = 0;
    uint32_t Bits = 0;
    PixelPlane Pixels;
};

} // namespace quillax
