#pragma once

#include "view/JointElement.h"
#include "view/MarkerShape.h"
#include "view/MarkerSource.h"
#include "view/MarkerStacking.h"
#include "view/NodeElement.h"
#include "view/NodePool.h"
#include "view/ShortSegment.h"

#include <QImage>
#include <QPoint>
#include <QRect>

#include <algorithm>
#include <cstdint>
#include <vector>

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

    // The elements of the pools in `order`, which holds none beyond them.
    void Paint(const MarkerSource& markers, const std::vector<PaintRun>& order);
    // Part of that: the elements from .. to - 1, counted along the order.
    void Paint(const MarkerSource& markers, const std::vector<PaintRun>& order, int64_t from, int64_t to);

    // One element.
    void PaintNode(const NodeElement& node);
    void PaintJoint(const JointElement& joint);

    // Where positions spanning `bounds`, each reaching `reach` pixels about it, lie against the clip
    // (only the exact positions count).
    enum class Coverage { Outside, Across, Inside };
    Coverage CoverageOf(const PackedBounds& bounds, int32_t reach) const;
    // Whether a far position lies outside the clip with everything it can reach.
    bool FarIsOutside() const;
    // Whether the position, with everything within `reach` pixels about it, lies inside the clip.
    bool HoldsWhole(int32_t x, int32_t y, int32_t reach) const {
        return x - reach >= Reach.Left && x + reach <= Reach.Right && y - reach >= Reach.Top &&
               y + reach <= Reach.Bottom;
    }
    // Whether the box of two exact positions, with everything within `reach` pixels about it, lies
    // wholly outside the clip.
    bool Misses(PackedPoint a, PackedPoint b, int32_t reach) const {
        return std::max(a.ExactX(), b.ExactX()) + reach < Reach.Left ||
               std::min(a.ExactX(), b.ExactX()) - reach > Reach.Right ||
               std::max(a.ExactY(), b.ExactY()) + reach < Reach.Top ||
               std::min(a.ExactY(), b.ExactY()) - reach > Reach.Bottom;
    }
    // A designed marker centred on (x, y) whose box lies wholly inside the clip: 5 x 5 when large,
    // else 3 x 3, as PaintNode gives it.
    void PaintInsideMarker(int32_t x, int32_t y, bool large, uint32_t fill, uint32_t border) {
        if (large) {
            PaintWholeRoundedSquare(QPoint(x - 2 + Offset.x(), y - 2 + Offset.y()), fill, border);
        } else {
            PaintWholePlus(QPoint(x - 1 + Offset.x(), y - 1 + Offset.y()), fill, border);
        }
    }
    // A thin segment between two whole positions inside the clip, as PaintJoint gives it.
    void PaintInsideSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t colour) {
        DrawThinLine(x1 + Offset.x(), y1 + Offset.y(), x2 + Offset.x(), y2 + Offset.y(), colour);
    }
    // A colour value red + 256 green + 65536 blue as an opaque pixel.
    static uint32_t Argb(int32_t colour) {
        const auto value = static_cast<uint32_t>(colour);
        return 0xFF000000u | (value & 0xFFu) << 16 | (value & 0xFF00u) | (value >> 16 & 0xFFu);
    }

private:
    // The values of a marker's Left and of its Top, in the elements' own coordinates, that put its box
    // over the clip: each from From up to but not including To.
    struct CornerRange {
        double FromLeft;
        double ToLeft;
        double FromTop;
        double ToTop;

        bool Holds(double left, double top) const {
            return left >= FromLeft && left < ToLeft && top >= FromTop && top < ToTop;
        }
    };

    // A box of whole pixels, where it reaches the clip and where it lies wholly inside.
    struct BoxReach {
        int32_t Width;
        int32_t Height;
        CornerRange Reaching;
        CornerRange Inside;
    };

    BoxReach ReachOf(int32_t width, int32_t height) const;
    void PaintThinJoint(const JointElement& joint);
    void PaintAnyJoint(const JointElement& joint);
    void PaintOtherNode(const NodeElement& node);
    void PaintBox(const NodeElement& node, const BoxReach& box);
    void PaintWholeNode(const MarkerShape& shape, QPoint corner, uint32_t fill, uint32_t border);
    // These three run once an element for most of a large object's markers and segments: written here,
    // they are inlined into the loops that paint those.
    // The 3 x 3 shape: a plus sign of outline around one filled pixel.
    void PaintWholePlus(QPoint corner, uint32_t fill, uint32_t border) {
        uint32_t* const middle = LineAt(corner.y() + 1) + corner.x();
        LineAt(corner.y())[corner.x() + 1] = border;
        middle[0] = border;
        middle[1] = fill;
        middle[2] = border;
        LineAt(corner.y() + 2)[corner.x() + 1] = border;
    }
    // The 5 x 5 shape: a filled 3 x 3 square inside 12 pixels of outline, the box's corners left out.
    void PaintWholeRoundedSquare(QPoint corner, uint32_t fill, uint32_t border) {
        std::fill_n(LineAt(corner.y()) + corner.x() + 1, 3, border);
        for (int r = 1; r <= 3; ++r) {
            uint32_t* const line = LineAt(corner.y() + r) + corner.x();
            line[0] = border;
            std::fill_n(line + 1, 3, fill);
            line[4] = border;
        }
        std::fill_n(LineAt(corner.y() + 4) + corner.x() + 1, 3, border);
    }
    // A thin segment whose ends lie inside the clip, with the pixels DrawLine gives it; a short one from
    // its pattern.
    void DrawThinLine(int64_t x1, int64_t y1, int64_t x2, int64_t y2, uint32_t colour) {
        const int64_t dx = x2 - x1;
        const int64_t dy = y2 - y1;
        if (!ShortSegment::Holds(dx, dy)) {
            DrawLongThinLine(x1, y1, dx, dy, colour);
            return;
        }
        const int64_t line = BytesPerLine / static_cast<qsizetype>(sizeof(uint32_t));
        uint32_t* const first = LineAt(y1) + x1;
        const ShortSegment& segment = ShortSegments[ShortSegment::IndexOf(dx, dy)];
        for (size_t k = 0; k < ShortSegment::Pixels; ++k) {
            first[segment.Down[k] * line + segment.Across[k]] = colour;
        }
    }
    void DrawLongThinLine(int64_t x1, int64_t y1, int64_t dx, int64_t dy, uint32_t colour);
    void PaintClippedNode(const MarkerShape& shape, QPoint corner, uint32_t fill, uint32_t border);
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
    // The boxes of the two designed marker sizes.
    BoxReach SmallBox;
    BoxReach LargeBox;
    MarkerShapes Shapes;
};

} // namespace quillax
