#pragma once

#include "view/GridTiling.h"

#include <QImage>
#include <QRegion>
#include <QSize>

#include <vector>

namespace quillax {

// The drawing area's background: an image that keeps what is drawn into it until it is cleared,
// kept across resizes (new area black). Resizes, clears and grids are written down as they come
// and made into pixels only when the image is read, and then only the parts of them that are still
// visible: a run of redraws that nobody sees costs no pixels, and the image read is exactly the one
// the steps one after another would have left.
class DeferredBackground {
public:
    QSize Size() const;
    // The size becomes `area`, what is within both sizes kept.
    void Resize(QSize area);
    // Resize, then every pixel black.
    void Clear(QSize area);
    // Resize, then the grid's tiles (the tile as displayed, top row first) painted over the area;
    // pixels that no tile covers keep what they had.
    void PaintGrid(QSize area, const QImage& tile, const GridLayout& layout);

    // The pixels, every step written down made.
    QImage& Image() const;

private:
    struct Step {
        QSize Area;
        QRegion Painted;
        QImage Tile;
        GridLayout Layout;
    };

    void Add(Step step);
    void Resolve() const;

    mutable QImage Base;
    mutable std::vector<Step> Steps;
};

} // namespace quillax
