#pragma once

#include "view/JointElement.h"
#include "view/MarkerShape.h"
#include "view/NodeElement.h"

#include <QImage>
#include <QPoint>
#include <QRect>

#include <cstdint>

namespace quillax {

// A clip rectangle in the coordinates of the elements drawn into it.
struct ClipReach {
    double Left;
    double Top;
    double Right;
    double Bottom;
};

// Draws markers and segments by writing the pixels of a 32-bit image directly: only pixels inside
// `clip` (image pixels) change, and element positions are moved by `offset` on the way. Every pixel
// rule lives here, so whatever device the markers end up on, they have the same pixels.
//
// A marker covers the box of round(Width) x round(Height) pixels whose top-left pixel is
// floor(Left + 0.5), floor(Top + 0.5): centred on pixel (x, y) for Left = x - Width / 2. A segment
// joins the pixels of its rounded end points, both included, one pixel per column (or per row when
// it is steeper than 45 degrees), BorderWidth pixels across. Hidden elements and elements with a
// NaN or infinite position or size are not drawn.
class PixelCanvas {
public:
    // The image must have a 32-bit format (RGB32, ARGB32 or ARGB32_Premultiplied).
    PixelCanvas(QImage& image, const QRect& clip, const QPoint& offset);

    void Paint(const NodePool& nodes, const JointPool& joints);
    // Part of that order, segments numbered first, then markers: elements from .. to - 1.
    void Paint(const NodePool& nodes, const JointPool& joints, int64_t from, int64_t to);

private:
    void PaintJoint(const JointElement& joint);
    void PaintNode(const NodeElement& node);
    void PaintWholeNode(const MarkerShape& shape, int64_t x, int64_t y, uint32_t fill, uint32_t border);
    void DrawLine(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int32_t width, uint32_t colour);
    void FillRow(int64_t y, int64_t from, int64_t to, uint32_t colour);
    void FillColumn(int64_t x, int64_t from, int64_t to, uint32_t colour);
    uint32_t* LineAt(int64_t y) const { return reinterpret_cast<uint32_t*>(Bits + y * BytesPerLine); }

    uchar* Bits;
    qsizetype BytesPerLine;
    int64_t ClipLeft;
    int64_t ClipTop;
    int64_t ClipRight;
    int64_t ClipBottom;
    QPoint Offset;
    // The clip in the elements' own coordinates.
    ClipReach Reach;
    MarkerShapes Shapes;
};

} // namespace quillax
