#pragma once

#include "view/GridTiling.h"

#include <QImage>
#include <QRegion>

class QPainter;

namespace quillax {

// Paints the grid's tiles over an image exactly as one copy of the tile per cell would, but in a
// handful of painter calls: runs of whole tiles are one tiled fill, and pixels that no tile covers
// keep what they had. The tile is the cell as displayed (top row first), possibly cut.
void PaintGrid(QImage& area, const QImage& tile, const GridLayout& layout);
// The same through a painter of the area, within the painter's clip.
void PaintGrid(QPainter& painter, const QImage& tile, const GridLayout& layout);

// The pixels PaintGrid writes: every column span across every row span.
QRegion GridCoverage(const GridLayout& layout);

} // namespace quillax
