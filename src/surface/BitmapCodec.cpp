#include "surface/BitmapCodec.h"

#include "platform/ArrayLimits.h"
#include "platform/Numeric.h"
#include "platform/RuntimeError.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace quillax {

namespace BitmapCodec {
namespace {
// Reads little-endian fields in sequence.
class FieldReader {
public:
    explicit FieldReader(const QByteArray& bytes) : Bytes(bytes) {}
    template <typename T> void operator()(T& field) {
        uint64_t value = 0;
        for (size_t i = 0; i < sizeof(T); ++i) {
            value |= static_cast<uint64_t>(static_cast<uint8_t>(Bytes[static_cast<qsizetype>(Position + i)]))
                     << (8 * i);
        }
        field = static_cast<T>(value);
        Position += sizeof(T);
    }

private:
    const QByteArray& Bytes;
    size_t Position = 0;
};

class FieldWriter {
public:
    template <typename T> void operator()(T field) {
        const auto value = static_cast<uint64_t>(static_cast<std::make_unsigned_t<T>>(field));
        for (size_t i = 0; i < sizeof(T); ++i) {
            Bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
        }
    }
    QByteArray Bytes;
};

template <typename Visit> void VisitHeaders(Visit& visit, auto& file, auto& info) {
    visit(file.bfType);
    visit(file.bfSize);
    visit(file.bfReserved1);
    visit(file.bfReserved2);
    visit(file.bfOffBits);
    visit(info.biSize);
    visit(info.biWidth);
    visit(info.biHeight);
    visit(info.biPlanes);
    visit(info.biBitCount);
    visit(info.biCompression);
    visit(info.biSizeImage);
    visit(info.biXPelsPerMeter);
    visit(info.biYPelsPerMeter);
    visit(info.biClrUsed);
    visit(info.biClrImportant);
}

[[noreturn]] void Invalid(const std::string& why) {
    RaiseError(ErrNo::InvalidPicture, why);
}

uint8_t PaletteIndex(const uint8_t* line, uint16_t bits, int64_t column) {
    switch (bits) {
    case 8:
        return line[column];
    case 4:
        return GetNibble(line[column / 2], column % 2 == 0 ? -1 : 0);
    default:
        return (line[column / 8] & (0x80 >> (column % 8))) != 0 ? 1 : 0;
    }
}

void ConvertLine(const uint8_t* line, uint8_t* out, const BitmapInfoHeader& info, int64_t width,
                 const std::vector<RgbQuad>& palette) {
    for (int64_t column = 0; column < width; ++column, out += 3) {
        const uint8_t index = PaletteIndex(line, info.biBitCount, column);
        if (index >= palette.size()) {
            RaiseError(ErrNo::SubscriptOutOfRange, "palette index " + std::to_string(index) + " beyond the " +
                                                       std::to_string(palette.size()) +
                                                       " colours of the table");
        }
        out[0] = palette[index].Blue;
        out[1] = palette[index].Green;
        out[2] = palette[index].Red;
    }
}
} // namespace

void ParseHeaders(const QByteArray& bytes, BitmapFileHeader& file, BitmapInfoHeader& info) {
    if (bytes.size() < HeaderBytes) {
        Invalid("the file ends inside its headers");
    }
    FieldReader reader(bytes);
    VisitHeaders(reader, file, info);
}

QByteArray HeaderBytesOf(const BitmapFileHeader& file, const BitmapInfoHeader& info) {
    FieldWriter writer;
    VisitHeaders(writer, file, info);
    return writer.Bytes;
}

int32_t RoundUp(double value) {
    const double whole = std::floor(value);
    return ToInt32(whole == value ? value : whole + 1);
}

uint8_t GetNibble(uint8_t value, int16_t highPart) {
    return highPart != 0 ? static_cast<uint8_t>((value & 0xF0) / 16) : static_cast<uint8_t>(value & 0x0F);
}

PixelLayout CheckLayout(const BitmapFileHeader& file, const BitmapInfoHeader& info, int64_t fileLength) {
    const int64_t bits = info.biBitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24) {
        Invalid(std::to_string(bits) + " bits per pixel");
    }
    if (info.biSize < 40) {
        Invalid("an unknown information header");
    }
    if (info.biCompression != 0) {
        Invalid("compressed pixel data");
    }
    if (info.biWidth < 1 || info.biHeight == 0) {
        Invalid("an image of " + std::to_string(info.biWidth) + " x " + std::to_string(info.biHeight) +
                " pixels");
    }
    PixelLayout layout;
    layout.Width = info.biWidth;
    layout.Height = std::abs(static_cast<int64_t>(info.biHeight));
    layout.TopDown = info.biHeight < 0;
    layout.Stride = (layout.Width * bits + 31) / 32 * 4;
    layout.PaletteOffset = 14 + static_cast<int64_t>(info.biSize);
    if (bits <= 8) {
        const int64_t colours = int64_t{1} << bits;
        layout.PaletteCount = info.biClrUsed == 0 ? colours : info.biClrUsed;
        if (layout.PaletteCount > colours) {
            Invalid(std::to_string(info.biClrUsed) + " colours for " + std::to_string(bits) +
                    " bits per pixel");
        }
    }
    const int64_t paletteEnd = layout.PaletteOffset + 4 * layout.PaletteCount;
    if (paletteEnd > fileLength) {
        Invalid("the colour table lies beyond the end of the file");
    }
    layout.DataOffset = std::max<int64_t>(paletteEnd, file.bfOffBits);
    if (layout.DataOffset > fileLength || layout.Stride > (fileLength - layout.DataOffset) / layout.Height) {
        Invalid("the pixel data lies beyond the end of the file");
    }
    layout.DataBytes = layout.Stride * layout.Height;
    if (bits <= 8 && info.biSizeImage != 0 && info.biSizeImage < layout.DataBytes) {
        RaiseError(ErrNo::SubscriptOutOfRange, "the pixel data is shorter than its scan lines");
    }
    return layout;
}

std::vector<RgbQuad> ParsePalette(const QByteArray& bytes) {
    std::vector<RgbQuad> palette(static_cast<size_t>(bytes.size() / 4));
    for (size_t i = 0; i < palette.size(); ++i) {
        const auto* entry = reinterpret_cast<const uint8_t*>(bytes.constData()) + 4 * i;
        palette[i] = {entry[0], entry[1], entry[2], entry[3]};
    }
    return palette;
}

BitmapFileImage ConvertTo24Bit(const BitmapInfoHeader& info, const PixelLayout& layout,
                               const std::vector<RgbQuad>& palette, const QByteArray& data) {
    const int64_t stride24 = static_cast<int64_t>(RoundUp(3.0 * static_cast<double>(layout.Width) / 4)) * 4;
    if (stride24 > MaxArrayElements / layout.Height) {
        RaiseError(ErrNo::OutOfMemory, "the converted image is too large");
    }
    const int64_t imageSize = stride24 * layout.Height;
    BitmapFileImage image;
    image.Bits.ReDim(0, static_cast<int32_t>(imageSize - 1));
    const auto* source = reinterpret_cast<const uint8_t*>(data.constData());
    for (int64_t row = 0; row < layout.Height; ++row) {
        const int64_t fileRow = layout.TopDown ? layout.Height - 1 - row : row;
        ConvertLine(source + fileRow * layout.Stride, image.Bits.Data() + row * stride24, info, layout.Width,
                    palette);
    }
    image.FileHeader = {FileType, static_cast<uint32_t>(imageSize + HeaderBytes), 0, 0,
                        static_cast<uint32_t>(HeaderBytes)};
    image.InfoHeader = {40,
                        info.biWidth,
                        static_cast<int32_t>(layout.Height),
                        info.biPlanes,
                        24,
                        0,
                        static_cast<uint32_t>(imageSize),
                        info.biXPelsPerMeter,
                        info.biYPelsPerMeter,
                        0,
                        0};
    return image;
}

} // namespace BitmapCodec

} // namespace quillax
