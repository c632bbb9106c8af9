#pragma once

#include "gdi/StdPicture.h"

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

// The picture's pixels as a 32-bit RGB image, top row first. A picture without a bitmap, or none at
// all, is an invalid picture (481).
QImage PictureToImage(const PictureRef& picture);

// Saves a picture as a 24-bit bitmap file through Qt's writer and OutputFile, so a failure never
// costs the file that was there. A missing folder is error 76, a file that cannot be written 75 (the
// description ends with the system's reason), a missing picture 481.
void SavePicture(const PictureRef& picture, const std::string& fileName);

} // namespace quillax
