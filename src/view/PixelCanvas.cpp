#include "view/PixelCanvas.h"

#include "platform/Numeric.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace quillax {

namespace {
// Segments reaching beyond this are first cut to the square |x|, |y| <= LineReach (in the elements'
// own coordinates), which keeps their direction and the integer stepping exact.
constexpr double LineReach = 1 << 28;

uint32_t Argb(int32_t colour) {
    const auto value = static_cast<uint32_t>(colour);
    return 0xFF000000u | (value & 0xFFu) << 16 | (value & 0xFF00u) | (value >> 16 & 0xFFu);
}

int64_t FloorDiv(int64_t numerator, int64_t denominator) {
    const int64_t quotient = numerator / denominator;
    return numerator % denominator < 0 ? quotient - 1 : quotient;
}

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

// A marker side in whole pixels; 0 when there is nothing to draw.
int32_t Side(float size) {
    const double side = RoundHalfEven(size);
    return side >= 1 ? static_cast<int32_t>(std::min<double>(side, MarkerShape::MaxSide)) : 0;
}

// False only for a hidden segment, or one whose box widened by its width misses the clip; a
// position without a value is left to PaintJoint.
bool MayReach(const JointElement& joint, const ClipReach& reach) {
    const double width = std::max<int32_t>(joint.BorderWidth, 1);
    const float x1 = joint.X1;
    const float x2 = joint.X2;
    const float y1 = joint.Y1;
    const float y2 = joint.Y2;
    return joint.Visible &&
           !(std::max(x1, x2) + width < reach.Left || std::min(x1, x2) - width > reach.Right ||
             std::max(y1, y2) + width < reach.Top || std::min(y1, y2) - width > reach.Bottom);
}

// False only for a hidden marker, or one whose box (top-left pixel floor(Left + 0.5), sides rounded)
// misses the clip; NaN fails every test.
bool MayReach(const NodeElement& node, const ClipReach& reach) {
    const double left = static_cast<double>(node.Left) + 0.5;
    const double top = static_cast<double>(node.Top) + 0.5;
    return node.Visible && left < reach.Right + 1 && top < reach.Bottom + 1 &&
           left >= reach.Left - Side(node.Width) + 1 && top >= reach.Top - Side(node.Height) + 1;
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
}

// Segments first, so that the markers lie on top of the lines that join them. Most markers of a
// large object lie either well inside the clip or wholly outside it; the second are passed over here.
void PixelCanvas::Paint(const NodePool& nodes, const JointPool& joints) {
    Paint(nodes, joints, 0, static_cast<int64_t>(joints.Count()) + nodes.Count());
}

void PixelCanvas::Paint(const NodePool& nodes, const JointPool& joints, int64_t from, int64_t to) {
    const int64_t segments = joints.Count();
    const auto first = [from, to](auto& pool, int64_t start) {
        const int64_t count = pool.Count();
        return std::pair(pool.begin() + std::clamp<int64_t>(from - start, 0, count),
                         pool.begin() + std::clamp<int64_t>(to - start, 0, count));
    };
    const auto [jointFrom, jointTo] = first(joints, 0);
    for (auto joint = jointFrom; joint != jointTo; ++joint) {
        if (MayReach(*joint, Reach)) {
            PaintJoint(*joint);
        }
    }
    const auto [nodeFrom, nodeTo] = first(nodes, segments);
    for (auto node = nodeFrom; node != nodeTo; ++node) {
        if (MayReach(*node, Reach)) {
            PaintNode(*node);
        }
    }
}

void PixelCanvas::PaintNode(const NodeElement& node) {
    const int32_t width = Side(node.Width);
    const int32_t height = Side(node.Height);
    // The top-left pixel is floor(Left + 0.5): the range is checked first (NaN and infinity fail it),
    // so that the whole part fits.
    const double left = static_cast<double>(node.Left) + 0.5 + Offset.x();
    const double top = static_cast<double>(node.Top) + 0.5 + Offset.y();
    if (!node.Visible || width == 0 || height == 0 ||
        !(left >= ClipLeft - width + 1 && left < ClipRight + 1 && top >= ClipTop - height + 1 &&
          top < ClipBottom + 1)) {
        return;
    }
    const int64_t x = WholeBelow(left);
    const int64_t y = WholeBelow(top);
    const MarkerShape& shape = Shapes.For(width, height);
    const uint32_t fill = Argb(node.FillColor);
    const uint32_t border = Argb(node.BorderColor);
    if (x >= ClipLeft && x + width - 1 <= ClipRight && y >= ClipTop && y + height - 1 <= ClipBottom) {
        PaintWholeNode(shape, x, y, fill, border);
        return;
    }
    const int64_t last = std::min<int64_t>(shape.Height() - 1, ClipBottom - y);
    for (int64_t r = std::max<int64_t>(0, ClipTop - y); r <= last; ++r) {
        const MarkerRow& row = shape.Row(static_cast<int32_t>(r));
        FillRow(y + r, x + row.Start, x + row.FillStart - 1, border);
        FillRow(y + r, x + row.FillStart, x + row.FillEnd, fill);
        FillRow(y + r, x + row.FillEnd + 1, x + row.End, border);
    }
}

// A marker wholly inside the clip: its rows written without further checks, pixel by pixel, as
// rows of the designed markers are a few pixels long.
void PixelCanvas::PaintWholeNode(const MarkerShape& shape, int64_t x, int64_t y, uint32_t fill,
                                 uint32_t border) {
    for (int32_t r = 0; r < shape.Height(); ++r) {
        const MarkerRow& row = shape.Row(r);
        uint32_t* const line = LineAt(y + r) + x;
        for (int32_t column = row.Start; column <= row.End; ++column) {
            line[column] = column >= row.FillStart && column <= row.FillEnd ? fill : border;
        }
    }
}

// A visible segment that may reach the clip (MayReach has said so).
void PixelCanvas::PaintJoint(const JointElement& joint) {
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
    const auto whole = [](double value, int offset) {
        return static_cast<int64_t>(RoundHalfEven(value)) + offset;
    };
    DrawLine(whole(x1, Offset.x()), whole(y1, Offset.y()), whole(x2, Offset.x()), whole(y2, Offset.y()),
             width, Argb(joint.BorderColor));
}

namespace {
// Steps along a line's major axis from `from` to `to` (a1 < a2): the minor coordinate of step a is
// b1 + (a - a1) * (b2 - b1) / (a2 - a1) rounded, halves towards larger b, kept as an exact remainder so
// that a cut start gives the same pixels.
template <typename Span>
void WalkLine(int64_t a1, int64_t b1, int64_t a2, int64_t b2, int64_t from, int64_t to, Span&& span) {
    const int64_t step = 2 * (a2 - a1);
    const int64_t rise = 2 * (b2 - b1);
    const int64_t start = (from - a1) * rise + (a2 - a1);
    // Unless the start was cut, no division is needed: the first step is b1 itself.
    int64_t b = from == a1 ? b1 : b1 + FloorDiv(start, step);
    int64_t remainder = start - (b - b1) * step;
    for (int64_t a = from; a <= to; ++a) {
        span(a, b);
        remainder += rise;
        if (remainder >= step) {
            remainder -= step;
            ++b;
        } else if (remainder < 0) {
            remainder += step;
            --b;
        }
    }
}
} // namespace

// Column by column for shallow lines, row by row for steep ones, from the lower end. A thin line
// wholly inside the clip sets its pixels without checking each.
void PixelCanvas::DrawLine(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int32_t width, uint32_t colour) {
    const int64_t before = (width - 1) / 2;
    const int64_t after = width / 2;
    const bool inside = width == 1 && std::min(x1, x2) >= ClipLeft && std::max(x1, x2) <= ClipRight &&
                        std::min(y1, y2) >= ClipTop && std::max(y1, y2) <= ClipBottom;
    if (std::llabs(x2 - x1) < std::llabs(y2 - y1)) {
        if (y1 > y2) {
            std::swap(x1, x2);
            std::swap(y1, y2);
        }
        const int64_t from = std::max(y1, ClipTop);
        const int64_t to = std::min(y2, ClipBottom);
        if (inside) {
            WalkLine(y1, x1, y2, x2, from, to, [&](int64_t y, int64_t x) { LineAt(y)[x] = colour; });
            return;
        }
        WalkLine(y1, x1, y2, x2, from, to,
                 [&](int64_t y, int64_t x) { FillRow(y, x - before, x + after, colour); });
        return;
    }
    if (x1 > x2) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    const int64_t from = std::max(x1, ClipLeft);
    const int64_t to = std::min(x2, ClipRight);
    if (x1 == x2) {
        if (from <= to) {
            FillColumn(x1, y1 - before, y1 + after, colour);
        }
        return;
    }
    if (inside) {
        WalkLine(x1, y1, x2, y2, from, to, [&](int64_t x, int64_t y) { LineAt(y)[x] = colour; });
        return;
    }
    WalkLine(x1, y1, x2, y2, from, to,
             [&](int64_t x, int64_t y) { FillColumn(x, y - before, y + after, colour); });
}

void PixelCanvas::FillRow(int64_t y, int64_t from, int64_t to, uint32_t colour) {
    from = std::max(from, ClipLeft);
    to = std::min(to, ClipRight);
    if (y < ClipTop || y > ClipBottom || from > to) {
        return;
    }
    uint32_t* const line = LineAt(y);
    std::fill(line + from, line + to + 1, colour);
}

void PixelCanvas::FillColumn(int64_t x, int64_t from, int64_t to, uint32_t colour) {
    from = std::max(from, ClipTop);
    to = std::min(to, ClipBottom);
    if (x < ClipLeft || x > ClipRight) {
        return;
    }
    for (int64_t y = from; y <= to; ++y) {
        LineAt(y)[x] = colour;
    }
}

} // namespace quillax
