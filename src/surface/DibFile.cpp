#include "surface/DibFile.h"

#include "gdi/Bitmap.h"
#include "gdi/Gdi.h"
#include "gdi/PictureService.h"
#include "platform/RuntimeError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace quillax {

namespace {
constexpr int64_t BlockBytes = 1 << 20;

// Whole scan lines of stride bytes that fit a block, at least one and no more than the picture's
// height: a small picture (the grid's tile) then takes no megabyte of fresh pages each way.
int64_t LinesPerBlock(int64_t stride, int64_t height) {
    return std::clamp<int64_t>(BlockBytes / stride, 1, std::max<int64_t>(1, height));
}

PictureRef NewDibPicture(int64_t width, int64_t height, PixelPlane& plane) {
    const uint32_t bitmap = CreateDibBitmap24(static_cast<int32_t>(width), static_cast<int32_t>(height));
    if (bitmap == 0) {
        RaiseError(ErrNo::OutOfMemory,
                   "an image of " + std::to_string(width) + " x " + std::to_string(height) + " pixels");
    }
    PICTDESC description;
    description.picType = PICTYPE_BITMAP;
    description.hbitmap = bitmap;
    PictureRef picture = OleCreatePictureIndirect(description, true);
    GetBitmapPlane(bitmap, plane);
    return picture;
}

// Scan line `line` of a bottom-up image in the plane, which is addressed from its top.
uint8_t* PlaneLine(const PixelPlane& plane, int64_t line) {
    return plane.Row(plane.Height - 1 - line);
}
} // namespace

void WriteDibFile(const PictureRef& picture, const FileDescriptor& file, const std::string& fileName) {
    PixelPlane plane;
    if (!picture || !GetBitmapPlane(picture->Handle(), plane)) {
        RaiseError(ErrNo::InvalidPicture, "the picture holds no bitmap");
    }
    const int64_t stride = Bitmap::RowBytes(Bitmap::Format::Dib24, plane.Width);
    const auto dataBytes = static_cast<uint32_t>(stride * plane.Height);
    const BitmapFileHeader header{BitmapCodec::FileType,
                                  static_cast<uint32_t>(BitmapCodec::HeaderBytes) + dataBytes, 0, 0,
                                  static_cast<uint32_t>(BitmapCodec::HeaderBytes)};
    const BitmapInfoHeader info{40, plane.Width, plane.Height, 1, 24, 0, dataBytes, 0, 0, 0, 0};
    const QByteArray headers = BitmapCodec::HeaderBytesOf(header, info);
    const auto write = [&](const void* bytes, int64_t count) {
        if (!file.WriteAll(bytes, count)) {
            RaiseError(ErrNo::PathFileAccessError, fileName + " cannot be written: " + SystemReason(errno));
        }
    };
    write(headers.constData(), headers.size());
    const int64_t perBlock = LinesPerBlock(stride, plane.Height);
    std::vector<uint8_t> block(static_cast<size_t>(perBlock * stride), 0);
    for (int64_t first = 0; first < plane.Height; first += perBlock) {
        const int64_t lines = std::min(perBlock, plane.Height - first);
        for (int64_t line = 0; line < lines; ++line) {
            ConvertRow(block.data() + line * stride, 3, PlaneLine(plane, first + line), plane.BytesPerPixel,
                       plane.Width);
        }
        write(block.data(), lines * stride);
    }
}

PictureRef ReadDibFile(const FileDescriptor& file, const BitmapInfoHeader& info,
                       const BitmapCodec::PixelLayout& layout, const std::string& fileName) {
    if (info.biPlanes != 1) {
        RaiseError(ErrNo::InvalidPicture, "a 24-bit file of " + std::to_string(info.biPlanes) + " planes");
    }
    PixelPlane plane;
    PictureRef picture = NewDibPicture(layout.Width, layout.Height, plane);
    const int64_t perBlock = LinesPerBlock(layout.Stride, layout.Height);
    std::vector<uint8_t> block(static_cast<size_t>(perBlock * layout.Stride));
    for (int64_t first = 0; first < layout.Height; first += perBlock) {
        const int64_t lines = std::min(perBlock, layout.Height - first);
        const int64_t got =
            file.ReadAt(layout.DataOffset + first * layout.Stride, block.data(), lines * layout.Stride);
        if (got < 0) {
            RaiseError(ErrNo::PathFileAccessError, fileName + " cannot be read: " + SystemReason(errno));
        }
        if (got < lines * layout.Stride) {
            RaiseError(ErrNo::InputPastEndOfFile, "the pixel data of " + fileName + " ends early");
        }
        for (int64_t line = 0; line < lines; ++line) {
            const int64_t fileLine = first + line;
            const int64_t bottomUp = layout.TopDown ? layout.Height - 1 - fileLine : fileLine;
            std::memcpy(PlaneLine(plane, bottomUp), block.data() + line * layout.Stride,
                        static_cast<size_t>(3 * layout.Width));
        }
    }
    return picture;
}

PictureRef DibPictureOf(const BitmapFileImage& image) {
    const int64_t width = image.InfoHeader.biWidth;
    const int64_t height = image.InfoHeader.biHeight;
    const int64_t stride = Bitmap::RowBytes(Bitmap::Format::Dib24, width);
    if (image.Bits.LBound() != 0 || static_cast<int64_t>(image.Bits.UBound()) + 1 < stride * height) {
        RaiseError(ErrNo::SubscriptOutOfRange, "the pixel data does not match the image");
    }
    PixelPlane plane;
    PictureRef picture = NewDibPicture(width, height, plane);
    for (int64_t line = 0; line < height; ++line) {
        std::memcpy(PlaneLine(plane, line), image.Bits.Data() + line * stride,
                    static_cast<size_t>(3 * width));
    }
    return picture;
}

} // namespace quillax
