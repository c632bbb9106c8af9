#include "gdi/PictureService.h"

#include "fileio/OutputFile.h"
#include "gdi/Gdi.h"
#include "platform/RuntimeError.h"

#include <QImage>
#include <QImageWriter>

#include <cerrno>

namespace quillax {

PictureRef OleCreatePictureIndirect(const PICTDESC& description, bool ownsHandle) {
    if (description.cbSizeofstruct != sizeof(PICTDESC) || description.picType != PICTYPE_BITMAP) {
        RaiseError(ErrNo::InvalidCall, "unsupported picture description");
    }
    return std::make_shared<StdPicture>(description.hbitmap, static_cast<int32_t>(description.picType),
                                        ownsHandle);
}

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
        ConvertRow(image.scanLine(y), 4, plane.Row(y), plane.BytesPerPixel, plane.Width);
    }
    return image;
}

void SavePicture(const PictureRef& picture, const std::string& fileName) {
    const QImage image = PictureToImage(picture);
    const WriteOutcome outcome = WriteWholeFile(fileName, [&](QIODevice& file) {
        QImageWriter writer(&file, "bmp");
        return writer.write(image) ? std::string() : writer.errorString().toStdString();
    });
    if (!outcome.Ok()) {
        const bool noFolder = outcome.Error == ENOENT || outcome.Error == ENOTDIR;
        RaiseError(noFolder ? ErrNo::PathNotFound : ErrNo::PathFileAccessError,
                   "cannot write " + fileName + ": " + outcome.Reason);
    }
}

} // namespace quillax
