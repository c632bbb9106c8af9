#pragma once

#include "gdi/GdiTypes.h"

#include <cstdint>
#include <memory>

namespace quillax {

// A bitmap of the drawing layer. A device bitmap (what the screen makes) keeps 4 bytes per pixel,
// top-down, and offers no bits address; a DIB keeps 24-bit blue-green-red bottom-up rows padded to
// 4 bytes, whose bits callers may address. New bitmaps are black: a device bitmap's pixels opaque
// (alpha 0xFF, as a 32-bit RGB image holds them), a DIB's bytes zero.
class Bitmap {
public:
    enum class Format { Device, Dib24 };

    Bitmap() = default;
    // An empty bitmap when the size is not positive, its bytes exceed the platform's limit, or the
    // memory cannot be had.
    static Bitmap Make(Format format, int32_t width, int32_t height);
    // Bytes per row: 4 x width for device bitmaps, rounded up to 4 bytes for DIBs.
    static int64_t RowBytes(Format format, int64_t width);

    bool IsEmpty() const { return !Bits; }
    int32_t Stride() const { return static_cast<int32_t>(RowBytes(BitmapFormat, PixelWidth)); }
    // The bits callers may address: the DIB's first (bottom) row, or nullptr for device bitmaps.
    uint8_t* AddressableBits() const { return BitmapFormat == Format::Dib24 ? Bits.get() : nullptr; }
    PixelPlane Plane() const;
    BITMAP Record() const;

    // The drawing context this bitmap is selected into, 0 for none.
    uint32_t SelectedInto = 0;

private:
    std::unique_ptr<uint8_t[]> Bits;
    Format BitmapFormat = Format::Device;
    int32_t PixelWidth = 0;
    int32_t PixelHeight = 0;
};

} // namespace quillax
