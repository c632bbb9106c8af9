#pragma once

#include "gdi/StdPicture.h"
#include "platform/FileDescriptor.h"
#include "surface/BitmapCodec.h"

#include <string>

namespace quillax {

// 24-bit bitmap files moved a block of scan lines at a time straight between the file and a
// bitmap's pixels, so no image is ever held twice on the way.

// Writes the picture's bitmap as a bottom-up 24-bit file at the file's position. A picture without a
// bitmap is an invalid picture (481); a write the system refuses is error 75 naming fileName.
void WriteDibFile(const PictureRef& picture, const FileDescriptor& file, const std::string& fileName);

// A new picture whose bitmap is a DIB holding the pixels of a 24-bit file laid out as CheckLayout
// found. A file of more than one plane is an invalid picture (481), a DIB that cannot be had out of
// memory (7); a file that ends early (62) or cannot be read (75) is named.
PictureRef ReadDibFile(const FileDescriptor& file, const BitmapInfoHeader& info,
                       const BitmapCodec::PixelLayout& layout, const std::string& fileName);

// A new DIB picture holding a converted image, whose bits are laid out as a DIB lays out its own.
PictureRef DibPictureOf(const BitmapFileImage& image);

} // namespace quillax
