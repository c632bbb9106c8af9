#include "gdi/Gdi.h"
#include "support/DeviceContext.h"

#include <QImage>
#include <gtest/gtest.h>

namespace quillax {

namespace {
uint32_t ScreenBitmap(int32_t width, int32_t height) {
    const uint32_t screen = GetDC(GetDesktopWindow());
    const uint32_t bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(GetDesktopWindow(), screen);
    return bitmap;
}

// A memory context holding a DIB whose displayed pixel (x, y) has blue x, green y, red 7.
struct DibContext {
    DibContext(int32_t width, int32_t height)
        : Dc(CreateCompatibleDC(0)), Bitmap(CreateDibBitmap24(width, height)) {
        SelectObject(Dc, Bitmap);
        GetObjectA(Bitmap, BitmapRecordSize, &Record);
        auto* bits = static_cast<uint8_t*>(Record.bmBits);
        for (int32_t row = 0; row < height; ++row) {
            for (int32_t x = 0; x < width; ++x) {
                uint8_t* pixel = bits + row * Record.bmWidthBytes + 3 * x;
                pixel[0] = static_cast<uint8_t>(x);
                pixel[1] = static_cast<uint8_t>(height - 1 - row);
                pixel[2] = 7;
            }
        }
    }
    ~DibContext() {
        DeleteDC(Dc);
        DeleteObject(Bitmap);
    }
    uint32_t Dc;
    uint32_t Bitmap;
    BITMAP Record;
};

QRgb Expected(int x, int y) {
    return qRgb(7, y, x);
}
} // namespace

TEST(Gdi, RefusesHandlesThatDoNotExist) {
    const uint32_t dc = CreateCompatibleDC(0);
    const uint32_t bitmap = ScreenBitmap(4, 4);
    ASSERT_NE(dc, 0u);
    ASSERT_NE(bitmap, 0u);
    EXPECT_EQ(SelectObject(dc, dc), 0u) << "a context is not a bitmap";
    EXPECT_EQ(DeleteDC(bitmap), 0) << "a bitmap is not a context";
    EXPECT_EQ(CreateCompatibleDC(0x12345678), 0u);
    EXPECT_EQ(CreateCompatibleBitmap(0, 4, 4), 0u);
    EXPECT_EQ(DeleteDC(dc), 1);
    EXPECT_EQ(DeleteDC(dc), 0) << "stale handle";
    EXPECT_EQ(DeleteObject(bitmap), 1);
    BITMAP record;
    EXPECT_EQ(GetObjectA(bitmap, BitmapRecordSize, &record), 0);
    const uint32_t reused = CreateCompatibleDC(0);
    EXPECT_NE(reused, dc) << "a reused slot gets a new generation";
    EXPECT_EQ(BitBlt(reused, 0, 0, 1, 1, dc, 0, 0, SRCCOPY), 0);
    DeleteDC(reused);
}

TEST(Gdi, SelectedBitmapsAreNotDeletedAndSelectOnce) {
    const uint32_t first = CreateCompatibleDC(0);
    const uint32_t second = CreateCompatibleDC(0);
    const uint32_t bitmap = ScreenBitmap(2, 2);
    const uint32_t other = ScreenBitmap(2, 2);
    EXPECT_EQ(SelectObject(first, bitmap), 0u);
    EXPECT_EQ(SelectObject(second, bitmap), 0u) << "already selected elsewhere";
    EXPECT_EQ(DeleteObject(bitmap), 0);
    EXPECT_EQ(SelectObject(first, other), bitmap);
    EXPECT_EQ(DeleteObject(bitmap), 1);
    DeleteDC(first);
    EXPECT_EQ(DeleteObject(other), 1) << "deleting the context lets its bitmap go";
    DeleteDC(second);
}

TEST(Gdi, RecordsTellDeviceBitmapsFromAddressableOnes) {
    BITMAP record;
    const uint32_t device = ScreenBitmap(5, 3);
    ASSERT_EQ(GetObjectA(device, BitmapRecordSize, &record), BitmapRecordSize);
    EXPECT_EQ(record.bmHeight, 3);
    EXPECT_EQ(record.bmBits, nullptr);
    const uint32_t dib = CreateDibBitmap24(5, 3);
    ASSERT_EQ(GetObjectA(dib, BitmapRecordSize, &record), BitmapRecordSize);
    EXPECT_EQ(record.bmWidth, 5);
    EXPECT_EQ(record.bmWidthBytes, 16) << "15 bytes padded to 4";
    EXPECT_EQ(record.bmBitsPixel, 24);
    EXPECT_NE(record.bmBits, nullptr);
    EXPECT_EQ(GetObjectA(dib, 8, &record), 0) << "record too small";
    EXPECT_EQ(ScreenBitmap(0, 3), 0u);
    EXPECT_EQ(ScreenBitmap(65536, 65536), 0u) << "beyond the platform's limit";
    DeleteObject(device);
    DeleteObject(dib);
}

TEST(Gdi, BitBltCopiesBottomUpBitsTheRightWayUp) {
    DibContext source(3, 2);
    DeviceContext target(4, 4);
    EXPECT_EQ(BitBlt(target.Dc(), 1, 1, 3, 2, source.Dc, 0, 0, SRCCOPY), 1);
    const QImage image = target.Image();
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(image.pixel(x + 1, y + 1), Expected(x, y)) << x << "," << y;
        }
    }
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(BitBlt(target.Dc(), 0, 0, 1, 1, source.Dc, 0, 0, 0x00EE0086), 0) << "only SRCCOPY";
}

TEST(Gdi, BitBltClipsToSourceAndDestination) {
    DibContext source(3, 3);
    DeviceContext target(2, 2);
    target.Fill(qRgb(255, 255, 255));
    BitBlt(target.Dc(), -1, -1, 10, 10, source.Dc, 0, 0, SRCCOPY);
    EXPECT_EQ(target.Image().pixel(0, 0), Expected(1, 1));
    EXPECT_EQ(target.Image().pixel(1, 1), Expected(2, 2));
    target.Fill(qRgb(255, 255, 255));
    BitBlt(target.Dc(), 0, 0, 2, 2, source.Dc, -1, 2, SRCCOPY);
    const QImage image = target.Image();
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255)) << "left of the source";
    EXPECT_EQ(image.pixel(1, 0), Expected(0, 2));
    EXPECT_EQ(image.pixel(1, 1), qRgb(255, 255, 255)) << "below the source";
    EXPECT_EQ(BitBlt(target.Dc(), 5, 5, 2, 2, source.Dc, 0, 0, SRCCOPY), 1);
    EXPECT_EQ(BitBlt(target.Dc(), 0, 0, -2, 2, source.Dc, 0, 0, SRCCOPY), 1);
}

TEST(Gdi, BitBltBetweenMemoryContextsAndWithinOne) {
    DibContext source(4, 4);
    DeviceContext device(4, 4);
    BitBlt(device.Dc(), 0, 0, 4, 4, source.Dc, 0, 0, SRCCOPY);
    BitBlt(device.Dc(), 1, 1, 3, 3, device.Dc(), 0, 0, SRCCOPY); // overlapping, downwards
    DibContext back(4, 4);
    BitBlt(back.Dc, 0, 0, 4, 4, device.Dc(), 0, 0, SRCCOPY);
    DeviceContext target(4, 4);
    BitBlt(target.Dc(), 0, 0, 4, 4, back.Dc, 0, 0, SRCCOPY);
    const QImage image = target.Image();
    EXPECT_EQ(image.pixel(0, 0), Expected(0, 0));
    EXPECT_EQ(image.pixel(3, 3), Expected(2, 2));
    EXPECT_EQ(image.pixel(1, 2), Expected(0, 1));
    EXPECT_EQ(image.pixel(3, 0), Expected(3, 0));
}

// Every width from 1 to 6 pixels converted from a DIB and moved within a device bitmap both ways
// along a row: whole pixels only, and the fourth byte opaque.
TEST(Gdi, SmallBlocksConvertAndMoveWholePixelsOnly) {
    for (int32_t width = 1; width <= 6; ++width) {
        DibContext source(width, 2);
        DeviceContext device(width + 2, 2);
        BitBlt(device.Dc(), 2, 0, width, 2, source.Dc, 0, 0, SRCCOPY);
        BitBlt(device.Dc(), 1, 0, width, 2, device.Dc(), 2, 0, SRCCOPY); // overlapping, leftwards
        BitBlt(device.Dc(), 2, 1, width, 1, device.Dc(), 1, 1, SRCCOPY); // overlapping, rightwards
        const QImage image = device.Image();
        for (int x = 0; x < width; ++x) {
            EXPECT_EQ(image.pixel(x + 1, 0), Expected(x, 0)) << width << ": " << x;
            EXPECT_EQ(image.pixel(x + 2, 1), Expected(x, 1)) << width << ": " << x;
        }
        EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0)) << width;
        EXPECT_EQ(qAlpha(reinterpret_cast<const QRgb*>(image.constScanLine(1))[2]), 255) << width;
    }
}

// A copy goes where the context points now, and never through a deleted one.
TEST(Gdi, CopiesFollowNewSelectionsAndRefuseDeletedContexts) {
    DibContext source(2, 2);
    const uint32_t device = CreateCompatibleDC(0);
    const uint32_t first = ScreenBitmap(2, 2);
    const uint32_t second = ScreenBitmap(2, 2);
    SelectObject(device, first);
    EXPECT_EQ(BitBlt(device, 0, 0, 2, 2, source.Dc, 0, 0, SRCCOPY), 1);
    SelectObject(device, second);
    EXPECT_EQ(DeleteObject(first), 1) << "no longer selected";
    EXPECT_EQ(BitBlt(device, 0, 0, 2, 2, source.Dc, 0, 0, SRCCOPY), 1);
    DeviceContext target(2, 2);
    BitBlt(target.Dc(), 0, 0, 2, 2, device, 0, 0, SRCCOPY);
    EXPECT_EQ(target.Image().pixel(1, 1), Expected(1, 1)) << "the copy reached the bitmap selected now";
    EXPECT_EQ(DeleteDC(device), 1);
    EXPECT_EQ(DeleteObject(second), 1);
    EXPECT_EQ(BitBlt(device, 0, 0, 2, 2, source.Dc, 0, 0, SRCCOPY), 0);
    EXPECT_EQ(BitBlt(source.Dc, 0, 0, 2, 2, device, 0, 0, SRCCOPY), 0);
}

} // namespace quillax
