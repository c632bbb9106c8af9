#include "gdi/BackBuffer.h"
#include "gdi/Gdi.h"

#include <gtest/gtest.h>

namespace quillax {

namespace {
const QRgb Black = qRgb(0, 0, 0);
const QRgb Grey = qRgb(64, 64, 64);

// A 1 x 1 DIB context holding grey.
struct GreyPixel {
    GreyPixel() : Dc(CreateCompatibleDC(0)), Bitmap(CreateDibBitmap24(1, 1)) {
        SelectObject(Dc, Bitmap);
        BITMAP record;
        GetObjectA(Bitmap, BitmapRecordSize, &record);
        std::fill_n(static_cast<uint8_t*>(record.bmBits), 3, uint8_t{64});
    }
    ~GreyPixel() {
        DeleteDC(Dc);
        DeleteObject(Bitmap);
    }
    uint32_t Dc;
    uint32_t Bitmap;
};
} // namespace

TEST(BackBuffer, StartsOpaqueBlackAndShowsWhatIsCopiedOntoIt) {
    BackBuffer buffer(0, -3);
    EXPECT_EQ(buffer.Image().size(), QSize(1, 1)) << "never smaller than a pixel";
    ASSERT_TRUE(buffer.Resize(3, 2));
    const QImage view = buffer.Image();
    EXPECT_EQ(view.format(), QImage::Format_RGB32);
    EXPECT_EQ(reinterpret_cast<const QRgb*>(view.constScanLine(1))[2], Black) << "alpha set too";
    GreyPixel grey;
    EXPECT_EQ(BitBlt(buffer.hDC(), 2, 1, 1, 1, grey.Dc, 0, 0, SRCCOPY), 1);
    EXPECT_EQ(buffer.Image().pixel(2, 1), Grey);
    buffer.Image().setPixel(0, 0, Grey);
    EXPECT_EQ(buffer.Image().pixel(0, 0), Grey) << "writes through a view land in the buffer";
    buffer.FillBlack();
    EXPECT_EQ(buffer.Image().pixel(0, 0), Black);
    EXPECT_EQ(buffer.Image().pixel(2, 1), Black);
}

TEST(BackBuffer, ResizingKeepsPixelsInPlaceAndCopiesFollowTheNewBitmap) {
    BackBuffer buffer(4, 4);
    GreyPixel grey;
    BitBlt(buffer.hDC(), 3, 3, 1, 1, grey.Dc, 0, 0, SRCCOPY);
    ASSERT_TRUE(buffer.Resize(6, 5));
    EXPECT_EQ(buffer.Width(), 6);
    EXPECT_EQ(buffer.Height(), 5);
    EXPECT_EQ(buffer.Image().pixel(3, 3), Grey);
    EXPECT_EQ(buffer.Image().pixel(5, 4), Black);
    BitBlt(buffer.hDC(), 5, 4, 1, 1, grey.Dc, 0, 0, SRCCOPY);
    EXPECT_EQ(buffer.Image().pixel(5, 4), Grey) << "the copy reached the new, larger bitmap";
    ASSERT_TRUE(buffer.Resize(2, 2));
    ASSERT_TRUE(buffer.Resize(6, 5));
    EXPECT_EQ(buffer.Image().pixel(3, 3), Black) << "what was cut off is gone";
}

TEST(BackBuffer, SizeThatCannotBeHadLeavesEverythingAsItWas) {
    BackBuffer buffer(3, 3);
    GreyPixel grey;
    BitBlt(buffer.hDC(), 1, 1, 1, 1, grey.Dc, 0, 0, SRCCOPY);
    EXPECT_FALSE(buffer.Resize(70000, 70000));
    EXPECT_EQ(buffer.Image().size(), QSize(3, 3));
    EXPECT_EQ(buffer.Image().pixel(1, 1), Grey);
    EXPECT_EQ(BitBlt(buffer.hDC(), 2, 2, 1, 1, grey.Dc, 0, 0, SRCCOPY), 1);
    EXPECT_EQ(buffer.Image().pixel(2, 2), Grey);
}

} // namespace quillax
