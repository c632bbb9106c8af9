#include "gdi/PictureService.h"
#include "gdi/Gdi.h"
#include "support/ErrorOf.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace quillax {

namespace {
PictureRef PictureOf(const QImage& image) {
    PICTDESC description;
    description.picType = PICTYPE_BITMAP;
    description.hbitmap = CreateDibBitmap24(image.width(), image.height());
    PixelPlane plane;
    GetBitmapPlane(description.hbitmap, plane);
    for (int32_t y = 0; y < plane.Height; ++y) {
        for (int32_t x = 0; x < plane.Width; ++x) {
            uint8_t* to = plane.Top + y * plane.Step + 3 * x;
            const QRgb pixel = image.pixel(x, y);
            to[0] = static_cast<uint8_t>(qBlue(pixel));
            to[1] = static_cast<uint8_t>(qGreen(pixel));
            to[2] = static_cast<uint8_t>(qRed(pixel));
        }
    }
    return OleCreatePictureIndirect(description, true);
}

QImage Sample() {
    QImage image(3, 2, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(10, 20, 30));
    image.setPixel(1, 0, qRgb(40, 50, 60));
    image.setPixel(2, 0, qRgb(70, 80, 90));
    image.setPixel(0, 1, qRgb(1, 2, 3));
    image.setPixel(1, 1, qRgb(4, 5, 6));
    image.setPixel(2, 1, qRgb(7, 8, 9));
    return image;
}
} // namespace

TEST(PictureService, LastReferenceFreesTheBitmap) {
    PictureRef picture = PictureOf(Sample());
    const uint32_t bitmap = picture->Handle();
    PictureRef copy = picture;
    BITMAP record;
    picture.reset();
    EXPECT_NE(GetObjectA(bitmap, BitmapRecordSize, &record), 0);
    copy.reset();
    EXPECT_EQ(GetObjectA(bitmap, BitmapRecordSize, &record), 0);
}

TEST(PictureService, CreatesPicturesFromValidDescriptionsOnly) {
    PICTDESC description;
    description.picType = PICTYPE_BITMAP;
    description.hbitmap = CreateDibBitmap24(1, 1);
    PICTDESC wrongSize = description;
    wrongSize.cbSizeofstruct = 16;
    EXPECT_EQ(ErrorOf([&] { OleCreatePictureIndirect(wrongSize, true); }), ErrNo::InvalidCall);
    const PictureRef picture = OleCreatePictureIndirect(description, true);
    EXPECT_EQ(picture->Handle(), description.hbitmap);
    EXPECT_EQ(picture->Type(), 1);
}

TEST(PictureService, SaveFailuresAreErrorsAndLeaveNoFile) {
    QTemporaryDir folder;
    const PictureRef picture = PictureOf(Sample());
    const std::string missing = folder.filePath("absent/x.bmp").toStdString();
    EXPECT_EQ(ErrorOf([&] { SavePicture(picture, missing); }), ErrNo::PathNotFound);
    QDir(folder.path()).mkdir("taken.bmp");
    EXPECT_EQ(ErrorOf([&] { SavePicture(picture, folder.filePath("taken.bmp").toStdString()); }),
              ErrNo::PathFileAccessError);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 0) << "no half-written file left";
    const std::string good = folder.filePath("good.bmp").toStdString();
    SavePicture(picture, good);
    EXPECT_EQ(QImage(QString::fromStdString(good)).convertToFormat(QImage::Format_RGB32), Sample());
}

} // namespace quillax
