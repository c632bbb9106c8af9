#pragma once

#include <QImage>
#include <QSize>

namespace quillax {

// An image of that size and format, its pixels not yet set; error 7 (out of memory) naming the size
// when it cannot be had, where Qt would give an image without pixels to write into.
QImage NewImage(QSize size, QImage::Format format);

} // namespace quillax
