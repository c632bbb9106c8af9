#include "view/NewImage.h"

#include "platform/RuntimeError.h"

#include <string>

namespace quillax {

QImage NewImage(QSize size, QImage::Format format) {
    QImage image(size, format);
    if (image.isNull()) {
        RaiseError(ErrNo::OutOfMemory, "an image of " + std::to_string(size.width()) + " x " +
                                           std::to_string(size.height()) + " pixels");
    }
    return image;
}

} // namespace quillax
