#include "view/PixelCanvas.h"

#include "platform/Numeric.h"
#include "view/ShortSegment.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace quillax {

namespace {
// Segments reaching beyond this are first cut to the square |x|, |y| <= LineReach (in the elements'
// own coordinates), which keeps their direction and the integer stepping exact.
constexpr double LineReach = 1 << 28;

int OutCode(double x, double y) {
    return (x < -LineReach ? 1 : 0) | (x > LineReach ? 2 : 0) | (y < -LineReach ? 4 : 0) |
           (y > LineReach ? 8 : 0);
}

// Cohen-Sutherland: moves each end lying outside the square onto its edge along the segment, the
// edge coordinate exact, so lines parallel to an axis stay exactly on their row or column. False when
// nothing of the segment lies within the square.
bool CutToReach(double& x1, double& y1, double& x2, double& y2) {
    for (int cuts = 0; cuts < 8; ++cuts) {
        const int code1 = OutCode(x1, y1);
        const int code2 = OutCode(x2, y2);
        if ((code1 | code2) == 0) {
            return true;
        }
        if ((code1 & code2) != 0) {
            return false;
        }
        const int code = code1 != 0 ? code1 : code2;
        double x = 0;
        double y = 0;
        if ((code & 3) != 0) {
            x = (code & 1) != 0 ? -LineReach : LineReach;
            y = y1 + (y2 - y1) * ((x - x1) / (x2 - x1));
        } else {
            y = (code & 4) != 0 ? -LineReach : LineReach;
            x = x1 + (x2 - x1) * ((y - y1) / (y2 - y1));
        }
        (code == code1 ? x1 : x2) = x;
        (code == code1 ? y1 : y2) = y;
    }
    return false;
}

int64_t WholeBelow(double value) {
    const auto whole = static_cast<int64_t>(value);
    return whole > value ? whole - 1 : whole;
}

// A coordinate within the cut square, rounded to its pixel and moved by the offset.
int64_t PixelOf(double value, int offset) {
    return static_cast<int64_t>(RoundHalfEven(value)) + offset;
}

// The same for a coordinate inside the clip: there, adding and taking away 1.5 x 2^52 rounds halves
// to even whatever the sign, without RoundHalfEven's test of the magnitude.
int64_t PixelInside(double value, int offset) {
    constexpr double shift = 0x1.8p52;
    return static_cast<int64_t>((value + shift) - shift) + offset;
}

// A marker side in whole pixels; 0 when there is nothing to draw.
int32_t Side(float size) {
    const double side = RoundHalfEven(size);
    return side >= 1 ? static_cast<int32_t>(std::min<double>(side, MarkerShape::MaxSide)) : 0;
}

// True for a thin segment whose ends lie inside the clip, each coordinate tested on its own so that
// NaN fails; then its rounded ends lie inside the clip too, and it is never far.
bool IsThinInside(const JointElement& joint, const ClipReach& reach) {
    const auto across = [&reach](float x) { return x >= reach.Left && x <= reach.Right; };
    const auto down = [&reach](float y) { return y >= reach.Top && y <= reach.Bottom; };
    return joint.BorderWidth <= 1 && across(joint.X1) && across(joint.X2) && down(joint.Y1) && down(joint.Y2);
}

// False only for a segment whose box widened by its width misses the clip; a position without a
// value is left to PaintAnyJoint.
bool MayReach(const JointElement& joint, const ClipReach& reach) {
    const double width = std::max<int32_t>(joint.BorderWidth, 1);
    const float x1 = joint.X1;
    const float x2 = joint.X2;
    const float y1 = joint.Y1;
    const float y2 = joint.Y2;
    return !(std::max(x1, x2) + width < reach.Left || std::min(x1, x2) - width > reach.Right ||
             std::max(y1, y2) + width < reach.Top || std::min(y1, y2) - width > reach.Bottom);
}

} // namespace

PixelCanvas::PixelCanvas(QImage& image, const QRect& clip, const QPoint& offset)
    : Bits(image.bits()), BytesPerLine(image.bytesPerLine()), Offset(offset) {
    const QRect area = clip & image.rect();
    ClipLeft = area.left();
    ClipTop = area.top();
    ClipRight = area.right();
    ClipBottom = area.bottom();
    Reach = {static_cast<double>(ClipLeft - Offset.x()), static_cast<double>(ClipTop - Offset.y()),
             static_cast<double>(ClipRight - Offset.x()), static_cast<double>(ClipBottom - Offset.y())};
    SmallBox = ReachOf(3, 3);
    LargeBox = ReachOf(5, 5);
}

// The corner pixel floor(Left + 0.5) reaches the clip from Reach.Left - width + 1 to Reach.Right, and
// keeps the box inside from Reach.Left to Reach.Right - width + 1; in double precision every bound is
// exact, and so is Left + 0.5 for every Left that could meet one.
PixelCanvas::BoxReach PixelCanvas::ReachOf(int32_t width, int32_t height) const {
    return {width, height,
            CornerRange{Reach.Left - width + 0.5, Reach.Right + 0.5, Reach.Top - height + 0.5,
                        Reach.Bottom + 0.5},
            CornerRange{Reach.Left - 0.5, Reach.Right - width + 1.5, Reach.Top - 0.5,
                        Reach.Bottom - height + 1.5}};
}

void PixelCanvas::Paint(const MarkerSource& markers, const std::vector<PaintRun>& order) {
    Paint(markers, order, 0, static_cast<int64_t>(markers.JointCount()) + markers.NodeCount());
}

void PixelCanvas::Paint(const MarkerSource& markers, const std::vector<PaintRun>& order, int64_t from,
                        int64_t to) {
    int64_t start = 0;
    for (const PaintRun& run : order) {
        const int64_t length = run.Last - run.First;
        const auto first = static_cast<int32_t>(run.First + std::clamp<int64_t>(from - start, 0, length));
        const auto last = static_cast<int32_t>(run.First + std::clamp<int64_t>(to - start, 0, length));
        if (first < last) {
            if (run.Pool == PaintRun::PoolOf::Joints) {
                markers.PaintJoints(*this, first, last);
            } else {
                markers.PaintNodes(*this, first, last);
            }
        }
        start += length;
    }
}

PixelCanvas::Coverage PixelCanvas::CoverageOf(const PackedBounds& bounds, int32_t reach) const {
    if (bounds.Left > bounds.Right || bounds.Right + reach < Reach.Left ||
        bounds.Left - reach > Reach.Right || bounds.Bottom + reach < Reach.Top ||
        bounds.Top - reach > Reach.Bottom) {
        return Coverage::Outside;
    }
    const bool inside = bounds.Left - reach >= Reach.Left && bounds.Right + reach <= Reach.Right &&
                        bounds.Top - reach >= Reach.Top && bounds.Bottom + reach <= Reach.Bottom;
    return inside ? Coverage::Inside : Coverage::Across;
}

// A far marker lies beyond the packed range, and a designed one reaches at most 2 pixels about its
// centre: a clip inside that range less a margin cannot meet one. (A far segment can still cross it.)
bool PixelCanvas::FarIsOutside() const {
    constexpr double margin = 8;
    return Reach.Left > PackedPoint::Least + margin && Reach.Right < PackedPoint::Most - margin &&
           Reach.Top > PackedPoint::Least + margin && Reach.Bottom < PackedPoint::Most - margin;
}

// Most segments of a large object are thin and lie either wholly inside the clip or wholly outside
// it: both are settled here, with one test each.
void PixelCanvas::PaintJoint(const JointElement& joint) {
    if (!joint.Visible) {
        return;
    }
    if (IsThinInside(joint, Reach)) {
        PaintThinJoint(joint);
    } else if (MayReach(joint, Reach)) {
        PaintAnyJoint(joint);
    }
}

void PixelCanvas::PaintThinJoint(const JointElement& joint) {
    DrawThinLine(PixelInside(joint.X1, Offset.x()), PixelInside(joint.Y1, Offset.y()),
                 PixelInside(joint.X2, Offset.x()), PixelInside(joint.Y2, Offset.y()),
                 Argb(joint.BorderColor));
}

void PixelCanvas::DrawLongThinLine(int64_t x1, int64_t y1, int64_t dx, int64_t dy, uint32_t colour) {
    const int64_t line = BytesPerLine / static_cast<qsizetype>(sizeof(uint32_t));
    uint32_t* const first = LineAt(y1) + x1;
    WalkThinSegment(dx, dy, line, [first, colour](int64_t at) { first[at] = colour; });
}

// A visible segment that may reach the clip.
void PixelCanvas::PaintAnyJoint(const JointElement& joint) {
    double x1 = joint.X1;
    double y1 = joint.Y1;
    double x2 = joint.X2;
    double y2 = joint.Y2;
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) {
        return;
    }
    const int32_t width = std::max<int32_t>(joint.BorderWidth, 1);
    const bool far = std::max({std::abs(x1), std::abs(y1), std::abs(x2), std::abs(y2)}) > LineReach;
    if (far && !CutToReach(x1, y1, x2, y2)) {
        return;
    }
    DrawLine(PixelOf(x1, Offset.x()), PixelOf(y1, Offset.y()), PixelOf(x2, Offset.x()),
             PixelOf(y2, Offset.y()), width, Argb(joint.BorderColor));
}

// The two designed sizes, exactly as the redraw places them, need no rounding, and most markers of a
// large object lie either wholly inside the clip or wholly outside it: one test settles the second.
void PixelCanvas::PaintNode(const NodeElement& node) {
    if (!node.Visible) {
        return;
    }
    if (node.Width == node.Height && (node.Width == 3 || node.Width == 5)) {
        const BoxReach& box = node.Width == 3 ? SmallBox : LargeBox;
        if (box.Reaching.Holds(node.Left, node.Top)) {
            PaintBox(node, box);
        }
    } else {
        PaintOtherNode(node);
    }
}

void PixelCanvas::PaintOtherNode(const NodeElement& node) {
    const int32_t width = Side(node.Width);
    const int32_t height = Side(node.Height);
    const BoxReach box = ReachOf(width, height);
    if (width != 0 && height != 0 && box.Reaching.Holds(node.Left, node.Top)) {
        PaintBox(node, box);
    }
}

// A marker whose box reaches the clip. Its top-left pixel is floor(Left + 0.5), floor(Top + 0.5),
// where Left + 0.5 is exact. Boxes wholly inside are written without checking each pixel, the designed
// shapes from fixed patterns.
void PixelCanvas::PaintBox(const NodeElement& node, const BoxReach& box) {
    const double left = node.Left;
    const double top = node.Top;
    const QPoint corner(static_cast<int>(WholeBelow(left + 0.5) + Offset.x()),
                        static_cast<int>(WholeBelow(top + 0.5) + Offset.y()));
    const uint32_t fill = Argb(node.FillColor);
    const uint32_t border = Argb(node.BorderColor);
    const bool inside = box.Inside.Holds(left, top);
    if (inside && box.Width == 3 && box.Height == 3) {
        PaintWholePlus(corner, fill, border);
    } else if (inside && box.Width == 5 && box.Height == 5) {
        PaintWholeRoundedSquare(corner, fill, border);
    } else if (inside) {
        PaintWholeNode(Shapes.For(box.Width, box.Height), corner, fill, border);
    } else {
        PaintClippedNode(Shapes.For(box.Width, box.Height), corner, fill, border);
    }
}

// A marker wholly inside the clip: its rows written without further checks, pixel by pixel, as
// rows of the markers are a few pixels long.
void PixelCanvas::PaintWholeNode(const MarkerShape& shape, QPoint corner, uint32_t fill, uint32_t border) {
    for (int32_t r = 0; r < shape.Height(); ++r) {
        const MarkerRow& row = shape.Row(r);
        uint32_t* const line = LineAt(corner.y() + r) + corner.x();
        for (int32_t column = row.Start; column <= row.End; ++column) {
            line[column] = column >= row.FillStart && column <= row.FillEnd ? fill : border;
        }
    }
}

void PixelCanvas::PaintClippedNode(const MarkerShape& shape, QPoint corner, uint32_t fill, uint32_t border) {
    const int64_t x = corner.x();
    const int64_t y = corner.y();
    const int64_t last = std::min<int64_t>(shape.Height() - 1, ClipBottom - y);
    for (int64_t r = std::max<int64_t>(0, ClipTop - y); r <= last; ++r) {
        const MarkerRow& row = shape.Row(static_cast<int32_t>(r));
        FillRow(y + r, x + row.Start, x + row.FillStart - 1, border);
        FillRow(y + r, x + row.FillStart, x + row.FillEnd, fill);
        FillRow(y + r, x + row.FillEnd + 1, x + row.End, border);
    }
}

} // namespace quillax
