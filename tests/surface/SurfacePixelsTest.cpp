#include "support/ErrorOf.h"
#include "support/SurfaceFixture.h"

namespace quillax {

using SurfacePixels = SurfaceTest;

namespace {
ByteArray2D Array2D(int32_t upper1, int32_t upper2, uint8_t seed) {
    ByteArray2D array;
    array.ReDim(upper1, upper2);
    for (int32_t y = 0; y <= upper2; ++y) {
        for (int32_t x = 0; x <= upper1; ++x) {
            array(x, y) = static_cast<uint8_t>(seed + x + 16 * y);
        }
    }
    return array;
}

std::vector<uint8_t> Bytes(const ByteArray2D& array) {
    return {array.Data(), array.Data() + array.Count1() * array.Count2()};
}
} // namespace

TEST_F(SurfacePixels, EmptyInstanceLeavesArraysAlone) {
    clsOffScreenDC surface;
    ByteArray2D pixels = Array2D(2, 1, 1);
    ByteArray1D column;
    column.ReDim(4);
    surface.GetByteArray(pixels);
    surface.Get1DByteArray(column);
    surface.SetByteArray(pixels);
    surface.Set1DByteArray(column, 1, 1);
    EXPECT_EQ(pixels.UBound(1), 2);
    EXPECT_EQ(pixels(2, 1), 1 + 2 + 16);
    EXPECT_EQ(column.UBound(), 4);
    EXPECT_TRUE(Box.Records.empty());
}

TEST_F(SurfacePixels, ArrayShapesAndColumnOrder) {
    clsOffScreenDC surface;
    surface.CreateImage(2, 3);
    surface.SetByteArray(Array2D(8, 1, 0));
    ByteArray2D pixels;
    surface.GetByteArray(pixels);
    EXPECT_EQ(pixels.LBound(1), 0);
    EXPECT_EQ(pixels.UBound(1), 8);
    EXPECT_EQ(pixels.LBound(2), 0);
    EXPECT_EQ(pixels.UBound(2), 1);
    EXPECT_EQ(Bytes(pixels), Bytes(Array2D(8, 1, 0)));
    ByteArray1D column;
    surface.Get1DByteArray(column);
    EXPECT_EQ(column.LBound(), 0);
    EXPECT_EQ(column.UBound(), 17);
    EXPECT_EQ(column(1), pixels(0, 1));
    EXPECT_EQ(column(2), pixels(1, 0));
    EXPECT_EQ(column(17), pixels(8, 1));
}

TEST_F(SurfacePixels, BottomLeftPixelTurnsBlue) {
    clsOffScreenDC surface;
    surface.CreateImage(3, 4);
    ByteArray2D pixels;
    surface.GetByteArray(pixels);
    pixels(0, 0) = 255;
    pixels(1, 0) = 0;
    pixels(2, 0) = 0;
    surface.SetByteArray(pixels);
    const QImage shown = Displayed(surface);
    EXPECT_EQ(shown.pixel(0, 2), qRgb(0, 0, 255));
    EXPECT_EQ(shown.pixel(0, 0), qRgb(0, 0, 0));
}

TEST_F(SurfacePixels, RoundTripsLeaveTheImageUnchanged) {
    clsOffScreenDC surface;
    surface.CreateImage(5, 7);
    Paint(surface);
    const QImage before = Displayed(surface);
    ByteArray2D pixels;
    surface.GetByteArray(pixels);
    surface.SetByteArray(pixels);
    EXPECT_EQ(Displayed(surface), before);
    ByteArray1D column;
    surface.Get1DByteArray(column);
    surface.Set1DByteArray(column, 5, 7);
    EXPECT_EQ(Displayed(surface), before);
    EXPECT_TRUE(Box.Records.empty());
}

TEST_F(SurfacePixels, NarrowArraysBlackenTheMissingColumnsAndWideOnesAreCut) {
    clsOffScreenDC surface;
    surface.CreateImage(2, 4);
    Paint(surface);
    surface.SetByteArray(Array2D(5, 1, 50)); // two whole pixels
    QImage shown = Displayed(surface);
    EXPECT_EQ(shown.pixel(1, 1), qRgb(50 + 5, 50 + 4, 50 + 3));
    EXPECT_EQ(shown.pixel(2, 1), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(3, 0), qRgb(0, 0, 0));
    surface.SetByteArray(Array2D(20, 3, 10));
    ByteArray2D pixels;
    surface.GetByteArray(pixels);
    EXPECT_EQ(pixels(11, 1), 10 + 11 + 16);
    EXPECT_TRUE(Box.Records.empty());
}

TEST_F(SurfacePixels, PartPixelStoresEarlierColumnsThenReports) {
    clsOffScreenDC surface;
    surface.CreateImage(2, 4);
    Paint(surface);
    surface.SetByteArray(Array2D(6, 1, 50)); // ends at the first byte of pixel 2
    EXPECT_EQ(Locations(), std::vector<std::string>{"SetByteArray"});
    EXPECT_EQ(Titles(), "Error: 9;");
    const QImage shown = Displayed(surface);
    EXPECT_EQ(shown.pixel(1, 0), qRgb(50 + 21, 50 + 20, 50 + 19)) << "columns before it, every line";
    EXPECT_EQ(shown.pixel(2, 0), Painted(2, 1)) << "pixel 2 untouched";
    EXPECT_EQ(shown.pixel(3, 1), Painted(3, 0)) << "and nothing beyond blackened";
}

TEST_F(SurfacePixels, ShortArrayStoresTheFirstColumnOfItsLinesThenReports) {
    clsOffScreenDC surface;
    surface.CreateImage(3, 2);
    Paint(surface);
    surface.SetByteArray(Array2D(5, 1, 50)); // two scan lines of three
    EXPECT_EQ(Locations(), std::vector<std::string>{"SetByteArray"});
    const QImage shown = Displayed(surface);
    EXPECT_EQ(shown.pixel(0, 2), qRgb(52, 51, 50));
    EXPECT_EQ(shown.pixel(0, 1), qRgb(68, 67, 66));
    EXPECT_EQ(shown.pixel(0, 0), Painted(0, 2));
    EXPECT_EQ(shown.pixel(1, 2), Painted(1, 0));
}

TEST_F(SurfacePixels, FixedAndUnallocatedArguments) {
    clsOffScreenDC surface;
    surface.CreateImage(2, 3);
    Paint(surface);
    ByteArray2D fixed = ByteArray2D::Fixed(0, 1, 0, 1);
    surface.GetByteArray(fixed);
    ByteArray1D fixedColumn = ByteArray1D::Fixed(0, 1);
    surface.Get1DByteArray(fixedColumn);
    const QImage before = Displayed(surface);
    surface.SetByteArray(ByteArray2D());
    surface.Set1DByteArray(ByteArray1D(), 2, 3);
    EXPECT_EQ(Locations(),
              (std::vector<std::string>{"GetByteArray", "Get1DByteArray", "SetByteArray", "Set1DByteArray"}));
    EXPECT_EQ(Titles(), "Error: 10;Error: 10;Error: 9;Error: 9;");
    EXPECT_EQ(fixed.UBound(1), 1);
    EXPECT_EQ(Displayed(surface), before) << "nothing stored";
}

TEST_F(SurfacePixels, OneDimensionalStoreFillsMissingBytesWithZero) {
    clsOffScreenDC surface;
    surface.CreateImage(2, 2);
    Paint(surface);
    ByteArray1D column;
    column.ReDim(7); // 8 of 12 bytes: byte columns 0 to 3
    for (int32_t i = 0; i <= 7; ++i) {
        column(i) = static_cast<uint8_t>(200 + i);
    }
    surface.Set1DByteArray(column, 2, 2);
    ByteArray2D pixels;
    surface.GetByteArray(pixels);
    EXPECT_EQ(pixels(0, 0), 200);
    EXPECT_EQ(pixels(0, 1), 201);
    EXPECT_EQ(pixels(1, 0), 202);
    EXPECT_EQ(pixels(3, 1), 207);
    EXPECT_EQ(pixels(4, 0), 0);
    EXPECT_EQ(pixels(5, 1), 0);
    surface.Set1DByteArray(column, 2, 1); // a layout narrower than the image
    surface.GetByteArray(pixels);
    EXPECT_EQ(pixels(2, 1), 205);
    EXPECT_EQ(pixels(3, 0), 0) << "columns beyond the layout turn black";
    surface.Set1DByteArray(column, 1, 2); // too few scan lines for the image
    surface.Set1DByteArray(column, 0, 2);
    surface.Set1DByteArray(column, 2, -1);
    EXPECT_EQ(Locations(), (std::vector<std::string>{"SetByteArray", "Set1DByteArray", "Set1DByteArray"}));
    EXPECT_EQ(Titles(), "Error: 9;Error: 9;Error: 9;");
}

TEST_F(SurfacePixels, SizesThatOverflowAreReported) {
    clsOffScreenDC surface;
    surface.CreateImage(1, 1);
    surface.Set1DByteArray(ByteArray1D::Fixed(0, 0), 1, 1 << 30);
    EXPECT_EQ(Titles(), "Error: 6;");
}

// Found by fuzz_pixelarrays: an array ending below -1 was stored as a black image, and one ending at
// the largest index gave the wrong error.
TEST_F(SurfacePixels, OneDimensionalArraysWithoutElementZeroAreReportedAndStoreNothing) {
    clsOffScreenDC surface;
    surface.CreateImage(2, 3);
    Paint(surface);
    const QImage before = Displayed(surface);
    ByteArray1D belowZero;
    belowZero.ReDim(-5, -3);
    surface.Set1DByteArray(belowZero, 2, 3);
    ByteArray1D atTheTop;
    atTheTop.ReDim(INT32_MAX - 2, INT32_MAX);
    surface.Set1DByteArray(atTheTop, 2, 3);
    EXPECT_EQ(Locations(), (std::vector<std::string>{"Set1DByteArray", "Set1DByteArray"}));
    EXPECT_EQ(Titles(), "Error: 9;Error: 6;");
    EXPECT_EQ(Displayed(surface), before);
    ByteArray1D endsAtMinusOne;
    endsAtMinusOne.ReDim(-4, -1);
    surface.Set1DByteArray(endsAtMinusOne, 2, 3);
    EXPECT_EQ(Displayed(surface).pixel(2, 0), qRgb(0, 0, 0)) << "no bytes at all: every byte 0";
}

} // namespace quillax
