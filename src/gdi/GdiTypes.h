#pragma once

#include <cstddef>
#include <cstdint>

namespace quillax {

// The block-copy operation that copies the source unchanged.
inline constexpr uint32_t SRCCOPY = 0x00CC0020;

// The BITMAP record that GetObjectA fills. Device bitmaps report no bits address.
struct BITMAP {
    int32_t bmType = 0;
    int32_t bmWidth = 0;
    int32_t bmHeight = 0;
    int32_t bmWidthBytes = 0;
    uint16_t bmPlanes = 0;
    uint16_t bmBitsPixel = 0;
    void* bmBits = nullptr;
};

// The size the designed callers pass for a BITMAP record.
inline constexpr int32_t BitmapRecordSize = 24;

// Where a bitmap's pixels are, as displayed: Top is the top row, Step the signed distance to the
// row below (negative for bottom-up bitmaps), BytesPerPixel 3 (blue, green, red) or 4 (plus one).
struct PixelPlane {
    uint8_t* Top = nullptr;
    ptrdiff_t Step = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t BytesPerPixel = 0;

    uint8_t* Row(int64_t y) const { return Top + y * Step; }
};

} // namespace quillax
