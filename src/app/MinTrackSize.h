#pragma once

#include <QSize>

namespace quillax {

// The answer to the window system's size query: the minimum outer size is minWidth by minHeight
// (pixels), each rounded to the nearest integer, halves to even. A value that is not above 0 (0,
// negative, not a number) leaves the platform's own minimum for that dimension.
QSize MinTrackSize(QSize platformMinimum, float minWidth, float minHeight);

} // namespace quillax
