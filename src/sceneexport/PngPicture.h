#pragma once

#include <QIODevice>
#include <QImage>

#include <string>

namespace quillax {

// Writes a picture as an 8-bit RGB PNG with its resolution; an empty text, or the reason for failing.
// Every row is stored unfiltered at zlib's fastest level: these pictures are runs of black and a few
// colours, which that packs nearly as small as the adaptive filters do (smaller, among many markers),
// in a third of the time.
std::string WritePng(const QImage& picture, QIODevice& out);

} // namespace quillax
