#include "gdi/Bitmap.h"

#include "platform/ArrayLimits.h"

#include <cstring>
#include <new>

namespace quillax {

namespace {
void FillOpaqueBlack(uint8_t* bits, size_t size) {
    constexpr uint32_t OpaqueBlack = 0xFF000000u;
    for (size_t at = 0; at < size; at += sizeof OpaqueBlack) {
        std::memcpy(bits + at, &OpaqueBlack, sizeof OpaqueBlack);
    }
}
} // namespace

int64_t Bitmap::RowBytes(Format format, int64_t width) {
    return format == Format::Device ? 4 * width : (3 * width + 3) / 4 * 4;
}

Bitmap Bitmap::Make(Format format, int32_t width, int32_t height) {
    Bitmap bitmap;
    if (width < 1 || height < 1 || RowBytes(format, width) > MaxArrayElements / height) {
        return bitmap;
    }
    const auto size = static_cast<size_t>(RowBytes(format, width) * height);
    const bool device = format == Format::Device;
    bitmap.Bits.reset(device ? new (std::nothrow) uint8_t[size] : new (std::nothrow) uint8_t[size]());
    if (!bitmap.Bits) {
        return bitmap;
    }
    if (device) {
        FillOpaqueBlack(bitmap.Bits.get(), size);
    }
    bitmap.BitmapFormat = format;
    bitmap.PixelWidth = width;
    bitmap.PixelHeight = height;
    return bitmap;
}

PixelPlane Bitmap::Plane() const {
    const ptrdiff_t stride = Stride();
    if (BitmapFormat == Format::Device) {
        return {Bits.get(), stride, PixelWidth, PixelHeight, 4};
    }
    return {Bits.get() + (PixelHeight - 1) * stride, -stride, PixelWidth, PixelHeight, 3};
}

BITMAP Bitmap::Record() const {
    BITMAP record;
    record.bmWidth = PixelWidth;
    record.bmHeight = PixelHeight;
    record.bmWidthBytes = Stride();
    record.bmPlanes = 1;
    record.bmBitsPixel = BitmapFormat == Format::Device ? 32 : 24;
    record.bmBits = AddressableBits();
    return record;
}

} // namespace quillax
