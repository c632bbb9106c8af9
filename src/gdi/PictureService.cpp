#include "gdi/PictureService.h"

#include "gdi/Gdi.h"
#include "platform/RuntimeError.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QSaveFile>

#include <algorithm>
#include <cstring>

namespace quillax {

PictureRef OleCreatePictureIndirect(const PICTDESC& description, bool ownsHandle) {
    if (description.cbSizeofstruct != sizeof(PICTDESC) || description.picType != PICTYPE_BITMAP) {
        RaiseError(ErrNo::InvalidCall, "unsupported picture description");
    }
    return std::make_shared<StdPicture>(description.hbitmap, static_cast<int32_t>(description.picType),
                                        ownsHandle);
}

namespace {
constexpr int MaxBitmapMegabytes = 2048;

} // namespace

QImage PictureToImage(const PictureRef& picture) {
    PixelPlane plane;
    if (!picture || !GetBitmapPlane(picture->Handle(), plane)) {
        RaiseError(ErrNo::InvalidPicture, "the picture holds no bitmap");
    }
    QImage image(plane.Width, plane.Height, QImage::Format_RGB32);
    if (image.isNull()) {
        RaiseError(ErrNo::OutOfMemory);
    }
    for (int32_t y = 0; y < plane.Height; ++y) {
        const uint8_t* from = plane.Top + y * plane.Step;
        uint8_t* to = image.scanLine(y);
        for (int32_t x = 0; x < plane.Width; ++x, from += plane.BytesPerPixel, to += 4) {
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
            to[3] = 0xFF;
        }
    }
    return image;
}

namespace {
void WriteBmp(const QImage& image, QIODevice& device, const std::string& fileName) {
    if (!image.save(&device, "BMP")) {
        RaiseError(ErrNo::PathFileAccessError, fileName);
    }
}
} // namespace

QByteArray EncodePictureBmp(const PictureRef& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    WriteBmp(PictureToImage(picture), buffer, "memory");
    return bytes;
}

PictureRef DecodePictureBmp(const QByteArray& bytes) {
    // Qt's own limit (128 MB) is below the platform's; the bytes given here are either the
    // surface's own file or a file whose size has been checked against its headers.
    QImageReader::setAllocationLimit(std::max(QImageReader::allocationLimit(), MaxBitmapMegabytes));
    const QImage image = QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_RGB32);
    if (image.isNull()) {
        RaiseError(ErrNo::InvalidPicture);
    }
    const uint32_t bitmap = CreateDibBitmap24(image.width(), image.height());
    PixelPlane plane;
    if (!GetBitmapPlane(bitmap, plane)) {
        RaiseError(ErrNo::OutOfMemory);
    }
    auto picture = std::make_shared<StdPicture>(bitmap, static_cast<int32_t>(PICTYPE_BITMAP), true);
    for (int32_t y = 0; y < plane.Height; ++y) {
        const uint8_t* from = image.constScanLine(y);
        uint8_t* to = plane.Top + y * plane.Step;
        for (int32_t x = 0; x < plane.Width; ++x, from += 4, to += 3) {
            std::memcpy(to, from, 3);
        }
    }
    return picture;
}

void SavePicture(const PictureRef& picture, const std::string& fileName) {
    const QImage image = PictureToImage(picture);
    const QString name = QString::fromStdString(fileName);
    if (!QFileInfo(name).absoluteDir().exists()) {
        RaiseError(ErrNo::PathNotFound, fileName);
    }
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly)) {
        RaiseError(ErrNo::PathFileAccessError, fileName);
    }
    WriteBmp(image, file, fileName);
    if (!file.commit()) {
        RaiseError(ErrNo::PathFileAccessError, fileName);
    }
}

} // namespace quillax
