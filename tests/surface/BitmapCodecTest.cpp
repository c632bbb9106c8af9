#include "surface/BitmapCodec.h"
#include "support/BmpBuilder.h"
#include "support/ErrorOf.h"

#include <gtest/gtest.h>

namespace quillax {

using namespace BitmapCodec;

TEST(BitmapCodec, RoundUpAndNibbles) {
    EXPECT_EQ(RoundUp(2.25), 3);
    EXPECT_EQ(RoundUp(3), 3);
    EXPECT_EQ(RoundUp(0), 0);
    EXPECT_EQ(RoundUp(0.0001), 1);
    EXPECT_EQ(ErrorOf([] { RoundUp(3e9); }), ErrNo::Overflow);
    EXPECT_EQ(GetNibble(0xA7, -1), 0x0A);
    EXPECT_EQ(GetNibble(0xA7, 1), 0x0A) << "any non-zero value is true";
    EXPECT_EQ(GetNibble(0xA7, 0), 0x07);
}

TEST(BitmapCodec, HeadersReadFieldByField) {
    BmpBuilder bmp(3, -2, 8);
    bmp.Info.biXPelsPerMeter = -7;
    BitmapFileHeader file;
    BitmapInfoHeader info;
    ParseHeaders(bmp.Bytes(), file, info);
    EXPECT_EQ(file.bfType, 0x4D42);
    EXPECT_EQ(file.bfOffBits, 54u + 1024u);
    EXPECT_EQ(info.biHeight, -2);
    EXPECT_EQ(info.biBitCount, 8);
    EXPECT_EQ(info.biXPelsPerMeter, -7);
    EXPECT_EQ(info.biClrUsed, 256u);
    EXPECT_EQ(ErrorOf([&] { ParseHeaders(bmp.Bytes().left(53), file, info); }), ErrNo::InvalidPicture);
}

TEST(BitmapCodec, ConvertedHeadersAndPaddedLines) {
    BmpBuilder bmp(3, 2, 4);
    bmp.Info.biPlanes = 1;
    bmp.Info.biYPelsPerMeter = 99;
    bmp.Set(0, 0, 1);
    bmp.Set(1, 0, 2);
    bmp.Set(2, 0, 15);
    bmp.Set(2, 1, 4);
    const PixelLayout layout = CheckLayout(bmp.File, bmp.Info, bmp.Bytes().size());
    const BitmapFileImage image = ConvertTo24Bit(bmp.Info, layout, ParsePalette(bmp.Palette), bmp.Data);
    EXPECT_EQ(image.FileHeader.bfType, 0x4D42);
    EXPECT_EQ(image.FileHeader.bfSize, 12u * 2 + 54);
    EXPECT_EQ(image.FileHeader.bfOffBits, 54u);
    EXPECT_EQ(image.InfoHeader.biSize, 40u);
    EXPECT_EQ(image.InfoHeader.biWidth, 3);
    EXPECT_EQ(image.InfoHeader.biHeight, 2);
    EXPECT_EQ(image.InfoHeader.biBitCount, 24);
    EXPECT_EQ(image.InfoHeader.biSizeImage, 24u);
    EXPECT_EQ(image.InfoHeader.biYPelsPerMeter, 99);
    EXPECT_EQ(image.InfoHeader.biClrUsed, 0u);
    ASSERT_EQ(image.Bits.UBound(), 23);
    const std::vector<uint8_t> firstLine(image.Bits.Data(), image.Bits.Data() + 12);
    EXPECT_EQ(firstLine, (std::vector<uint8_t>{1, 254, 3, 2, 253, 6, 15, 240, 45, 0, 0, 0}));
    EXPECT_EQ(image.Bits(12 + 6), 4) << "second line starts at 12";
}

TEST(BitmapCodec, LayoutRefusesWhatTheFileCannotHold) {
    const auto errorFor = [](BmpBuilder bmp, int64_t length = -1) {
        return ErrorOf([&] { CheckLayout(bmp.File, bmp.Info, length < 0 ? bmp.Bytes().size() : length); });
    };
    BmpBuilder good(5, 3, 8);
    EXPECT_EQ(errorFor(good), 0);
    EXPECT_EQ(errorFor(good, good.Bytes().size() - 1), ErrNo::InvalidPicture) << "last line cut short";
    EXPECT_EQ(errorFor(good, 54 + 1000), ErrNo::InvalidPicture) << "colour table cut short";
    BmpBuilder huge = good;
    huge.Info.biWidth = INT32_MAX;
    huge.Info.biHeight = INT32_MIN;
    EXPECT_EQ(errorFor(huge), ErrNo::InvalidPicture);
    BmpBuilder colours = good;
    colours.Info.biClrUsed = 257;
    EXPECT_EQ(errorFor(colours), ErrNo::InvalidPicture);
    BmpBuilder rle = good;
    rle.Info.biCompression = 1;
    EXPECT_EQ(errorFor(rle), ErrNo::InvalidPicture);
    BmpBuilder flat = good;
    flat.Info.biHeight = 0;
    EXPECT_EQ(errorFor(flat), ErrNo::InvalidPicture);
    BmpBuilder header = good;
    header.Info.biSize = 0xFFFFFFF0;
    EXPECT_EQ(errorFor(header), ErrNo::InvalidPicture);
    BmpBuilder sized = good;
    sized.Info.biSizeImage = 10;
    EXPECT_EQ(errorFor(sized), ErrNo::SubscriptOutOfRange);
    BmpBuilder offset = good;
    offset.File.bfOffBits = 0xFFFFFFFF;
    EXPECT_EQ(errorFor(offset), ErrNo::InvalidPicture);
}

TEST(BitmapCodec, PaletteIndexBeyondTheTableIsAnError) {
    BmpBuilder bmp(2, 1, 8);
    bmp.Info.biClrUsed = 4;
    bmp.Palette.truncate(16);
    bmp.File.bfOffBits = 54 + 16;
    bmp.Set(1, 0, 4);
    const PixelLayout layout = CheckLayout(bmp.File, bmp.Info, bmp.Bytes().size());
    EXPECT_EQ(ErrorOf([&] { ConvertTo24Bit(bmp.Info, layout, ParsePalette(bmp.Palette), bmp.Data); }),
              ErrNo::SubscriptOutOfRange);
}

} // namespace quillax
