#pragma once

#include "platform/ByteArray1D.h"

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace quillax {

// Windows bitmap files: the two headers, the checks that make an untrusted file safe to read, and
// the conversion of 1-, 4- and 8-bit palette files to 24 bits. Pure: no file access.

struct BitmapFileHeader {
    uint16_t bfType = 0;
    uint32_t bfSize = 0;
    uint16_t bfReserved1 = 0;
    uint16_t bfReserved2 = 0;
    uint32_t bfOffBits = 0;
};

struct BitmapInfoHeader {
    uint32_t biSize = 0;
    int32_t biWidth = 0;
    int32_t biHeight = 0;
    uint16_t biPlanes = 0;
    uint16_t biBitCount = 0;
    uint32_t biCompression = 0;
    uint32_t biSizeImage = 0;
    int32_t biXPelsPerMeter = 0;
    int32_t biYPelsPerMeter = 0;
    uint32_t biClrUsed = 0;
    uint32_t biClrImportant = 0;
};

struct RgbQuad {
    uint8_t Blue = 0;
    uint8_t Green = 0;
    uint8_t Red = 0;
    uint8_t Reserved = 0;
};

// A bitmap file in memory; Bits holds the pixel data, indices 0 to size - 1.
struct BitmapFileImage {
    BitmapFileHeader FileHeader;
    BitmapInfoHeader InfoHeader;
    ByteArray1D Bits;
};

namespace BitmapCodec {
inline constexpr int64_t HeaderBytes = 54;
inline constexpr uint16_t FileType = 0x4D42; // "BM"

// Reads both headers, field by field, from the first HeaderBytes bytes.
void ParseHeaders(const QByteArray& bytes, BitmapFileHeader& file, BitmapInfoHeader& info);
// Writes them back: the converted headers, and files built by tests.
QByteArray HeaderBytesOf(const BitmapFileHeader& file, const BitmapInfoHeader& info);

// For a value >= 0 the smallest whole number not below it; beyond 32 bits is an overflow (6).
int32_t RoundUp(double value);
// The high (highPart non-zero) or low four bits of a byte.
uint8_t GetNibble(uint8_t value, int16_t highPart);

// Where an uncompressed file keeps its colour table and pixel data, every size taken in 64 bits.
struct PixelLayout {
    int64_t Width = 0;
    int64_t Height = 0; // a positive count of scan lines
    bool TopDown = false;
    int64_t Stride = 0; // bytes per scan line in the file
    int64_t PaletteOffset = 0;
    int64_t PaletteCount = 0; // 0 for 24 bits
    int64_t DataOffset = 0;
    int64_t DataBytes = 0;
};
// Checks a 1-, 4-, 8- or 24-bit file's headers against its length: dimensions, compression, colour
// count, and that the colour table and every scan line lie within the file. A file that fails is
// an invalid picture (481); a scan line shorter than biSizeImage allows is a subscript error (9).
PixelLayout CheckLayout(const BitmapFileHeader& file, const BitmapInfoHeader& info, int64_t fileLength);

std::vector<RgbQuad> ParsePalette(const QByteArray& bytes);
// Converts checked palette pixel data (DataBytes of it) to a 24-bit bottom-up image with its
// converted headers. A palette index beyond the colour table is a subscript error (9); an image
// beyond the platform's limit is out of memory (7).
BitmapFileImage ConvertTo24Bit(const BitmapInfoHeader& info, const PixelLayout& layout,
                               const std::vector<RgbQuad>& palette, const QByteArray& data);

} // namespace BitmapCodec

} // namespace quillax
