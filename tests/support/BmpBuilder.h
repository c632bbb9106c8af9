#pragma once

#include "surface/BitmapCodec.h"

#include <QByteArray>

#include <cstdint>

namespace quillax {

// Builds bitmap files in code: consistent headers for the given size and depth, a colour table for
// palette depths (entry i is blue i, green 255 - i, red 3 * i), and zero pixel data. Tests set
// pixels and may then bend any header field before taking Bytes().
struct BmpBuilder {
    BmpBuilder(int32_t width, int32_t height, uint16_t bits)
        : Width(width), Rows(height < 0 ? -height : height) {
        const int32_t colours = bits <= 8 ? 1 << bits : 0;
        for (int32_t i = 0; i < colours; ++i) {
            Palette.append(static_cast<char>(i));
            Palette.append(static_cast<char>(255 - i));
            Palette.append(static_cast<char>(3 * i));
            Palette.append('\0');
        }
        Data = QByteArray(Stride(width, bits) * Rows, '\0');
        File.bfType = BitmapCodec::FileType;
        File.bfOffBits = static_cast<uint32_t>(54 + Palette.size());
        File.bfSize = static_cast<uint32_t>(File.bfOffBits + Data.size());
        Info.biSize = 40;
        Info.biWidth = width;
        Info.biHeight = height;
        Info.biPlanes = 1;
        Info.biBitCount = bits;
        Info.biSizeImage = static_cast<uint32_t>(Data.size());
        Info.biXPelsPerMeter = 2835;
        Info.biYPelsPerMeter = 2835;
        Info.biClrUsed = static_cast<uint32_t>(colours);
    }

    static int32_t Stride(int32_t width, uint16_t bits) { return (width * bits + 31) / 32 * 4; }

    // Sets the palette index (or, at 24 bits, the colour blue + 256 green + 65536 red) of a pixel of
    // file scan line row.
    void Set(int32_t column, int32_t row, uint32_t value) {
        char* line = Data.data() + row * Stride(Width, Info.biBitCount);
        switch (Info.biBitCount) {
        case 24:
            line[3 * column] = static_cast<char>(value & 0xFF);
            line[3 * column + 1] = static_cast<char>((value >> 8) & 0xFF);
            line[3 * column + 2] = static_cast<char>((value >> 16) & 0xFF);
            break;
        case 8:
            line[column] = static_cast<char>(value);
            break;
        case 4:
            line[column / 2] = static_cast<char>(line[column / 2] | (column % 2 == 0 ? value << 4 : value));
            break;
        default:
            line[column / 8] = static_cast<char>(line[column / 8] | (value != 0 ? 0x80 >> (column % 8) : 0));
        }
    }

    QByteArray Bytes() const { return BitmapCodec::HeaderBytesOf(File, Info) + Palette + Data; }

    int32_t Width;
    int32_t Rows;
    BitmapFileHeader File;
    BitmapInfoHeader Info;
    QByteArray Palette;
    QByteArray Data;
};

} // namespace quillax
