#pragma once

#include "view/GridTiling.h"

#include <QImage>
#include <QRegion>

namespace quillax {

// Paints the grid's tiles over an image exactly as one copy of the tile per cell would, where
// `within` lets it (the whole image when not given): runs of whole tiles are one periodic band, and
// pixels that no tile covers keep what they had. Both images have 32 bits a pixel; the tile is the
// cell as displayed (top row first), possibly cut. The pixels are copied here, a row at a time, and
// never through a painter: Qt shares large pattern fills out to threads and waits for them, forever
// when no thread can start.
void PaintGrid(QImage& area, const QImage& tile, const GridLayout& layout);
void PaintGrid(QImage& area, const QImage& tile, const GridLayout& layout, const QRegion& within);

// The pixels PaintGrid writes: every column span across every row span.
QRegion GridCoverage(const GridLayout& layout);

} // namespace quillax
