#include "view/MarkerShape.h"

#include <algorithm>
#include <cmath>

namespace quillax {

namespace {
// Columns of row `row` whose centres lie within the ellipse: with A = 2w - 1, B = 2h - 1,
// m = 2c + 1 - w and n = 2r + 1 - h, column c is inside when 4m²B² + 4n²A² <= A²B². Exact integer
// arithmetic, so a shape has the same pixels wherever it is drawn.
MarkerRow InsideSpan(int32_t width, int32_t height, int32_t row) {
    const uint64_t a = static_cast<uint64_t>(2 * width - 1);
    const uint64_t b = static_cast<uint64_t>(2 * height - 1);
    const int64_t n = 2 * static_cast<int64_t>(row) + 1 - height;
    const uint64_t n2 = static_cast<uint64_t>(4 * n * n);
    if (n2 > b * b) {
        return {0, 0, -1, -1};
    }
    const uint64_t limit = a * a * (b * b - n2);
    const auto inside = [&](int64_t m) { return 4 * static_cast<uint64_t>(m * m) * b * b <= limit; };
    auto m = static_cast<int64_t>(std::sqrt(static_cast<double>(limit)) / (2.0 * static_cast<double>(b)));
    while (m > 0 && !inside(m)) {
        --m;
    }
    while (inside(m + 1)) {
        ++m;
    }
    m = std::min<int64_t>(m, width - 1);
    if ((m - (width - 1)) % 2 != 0) {
        --m;
    }
    if (m < 0) {
        return {0, 0, -1, -1};
    }
    return {static_cast<int32_t>((width - 1 - m) / 2), 0, 0, static_cast<int32_t>((width - 1 + m) / 2)};
}
} // namespace

MarkerShape::MarkerShape(int32_t width, int32_t height) : ShapeWidth(std::clamp(width, 1, MaxSide)) {
    const int32_t rows = std::clamp(height, 1, MaxSide);
    std::vector<MarkerRow> spans;
    for (int32_t r = 0; r < rows; ++r) {
        spans.push_back(InsideSpan(ShapeWidth, rows, r));
    }
    const MarkerRow none{0, 0, -1, -1};
    for (int32_t r = 0; r < rows; ++r) {
        const MarkerRow& above = r > 0 ? spans[static_cast<size_t>(r - 1)] : none;
        const MarkerRow& below = r + 1 < rows ? spans[static_cast<size_t>(r + 1)] : none;
        MarkerRow row = spans[static_cast<size_t>(r)];
        row.FillStart = std::max({row.Start + 1, above.Start, below.Start});
        row.FillEnd = std::min({row.End - 1, above.End, below.End});
        if (row.FillStart > row.FillEnd) {
            row.FillStart = row.End + 1;
            row.FillEnd = row.End;
        }
        Rows.push_back(row);
    }
}

namespace {
const MarkerShape& DesignShape(int32_t side) {
    static const MarkerShape small(3, 3);
    static const MarkerShape large(5, 5);
    return side == 3 ? small : large;
}
} // namespace

MarkerShapes::MarkerShapes() : Small(DesignShape(3)), Large(DesignShape(5)) {}

// Sizes come from the painter already within 1 .. MaxSide, where they are the shape's own.
const MarkerShape& MarkerShapes::ForOther(int32_t width, int32_t height) {
    if (!Other || Other->Width() != width || Other->Height() != height) {
        Other.emplace(width, height);
    }
    return *Other;
}

} // namespace quillax
