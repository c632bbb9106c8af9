#include "view/PixelCanvas.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

// PixelCanvas's lines and runs of pixels, clipped.
namespace quillax {

namespace {
int64_t FloorDiv(int64_t numerator, int64_t denominator) {
    const int64_t quotient = numerator / denominator;
    return numerator % denominator < 0 ? quotient - 1 : quotient;
}

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

// Column by column for shallow lines, row by row for steep ones, from the lower end.
void PixelCanvas::DrawLine(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int32_t width, uint32_t colour) {
    const int64_t before = (width - 1) / 2;
    const int64_t after = width / 2;
    if (std::llabs(x2 - x1) < std::llabs(y2 - y1)) {
        if (y1 > y2) {
            std::swap(x1, x2);
            std::swap(y1, y2);
        }
        WalkLine(y1, x1, y2, x2, std::max(y1, ClipTop), std::min(y2, ClipBottom),
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
