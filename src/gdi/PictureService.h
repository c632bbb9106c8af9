#pragma once

#include "gdi/StdPicture.h"

#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <string>

namespace quillax {

// The picture description that OleCreatePictureIndirect takes: five 32-bit fields.
struct PICTDESC {
    uint32_t cbSizeofstruct = 20;
    uint32_t picType = 0;
    uint32_t hbitmap = 0;
    uint32_t hpal = 0;
    uint32_t reserved = 0;
};
inline constexpr uint32_t PICTYPE_BITMAP = 1;

// A picture object for a bitmap description; with ownsHandle it deletes the bitmap when released.
// A description of another size or type is an invalid call (error 5).
PictureRef OleCreatePictureIndirect(const PICTDESC& description, bool ownsHandle);

// The picture as a Windows bitmap file (24 bits per pixel), through Qt's BMP codec. A picture
// without a bitmap, or none at all, is an invalid picture (error 481).
QByteArray EncodePictureBmp(const PictureRef& picture);
// A picture from the bytes of a bitmap file. Its bitmap is a DIB with addressable 24-bit
// blue-green-red bottom-up bits. Undecodable bytes are an invalid picture (481), a bitmap that
// cannot be had is out of memory (7).
PictureRef DecodePictureBmp(const QByteArray& bytes);

// The picture's pixels as a 32-bit RGB image, top row first. A picture without a bitmap, or none at
// all, is an invalid picture (481).
QImage PictureToImage(const PictureRef& picture);

// Saves a picture as a bitmap file. The file is written beside its target and renamed over it, so a
// failure never leaves a half-written file under the name. A missing folder is error 76, a file
// that cannot be written 75, a missing picture 481.
void SavePicture(const PictureRef& picture, const std::string& fileName);

} // namespace quillax
