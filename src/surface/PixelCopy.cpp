#include "surface/PixelCopy.h"

#include "platform/RuntimeError.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace quillax {

namespace {
// How far a column-major walk over columns x rows gets inside a validColumns x validRows block:
// every row of the first FullColumns columns, then column 0 of the first PartRows rows.
struct WalkPrefix {
    int64_t FullColumns = 0;
    int64_t PartRows = 0;
    bool Fails = false;
};

WalkPrefix PrefixOf(int64_t columns, int64_t rows, int64_t validColumns, int64_t validRows) {
    if (validColumns >= columns && validRows >= rows) {
        return {columns, 0, false};
    }
    if (validRows >= rows) {
        return {validColumns, 0, true};
    }
    return {0, validColumns > 0 ? validRows : 0, true};
}

void RaiseIfFails(const WalkPrefix& prefix) {
    if (prefix.Fails) {
        RaiseError(ErrNo::SubscriptOutOfRange);
    }
}

// Columns per block when transposing, so that reads stay within a few cache lines per row.
constexpr int64_t TransposeBlock = 64;

void CopyColumnsTransposed(const ByteView2D& view, uint8_t* target, int64_t columns, int64_t rows) {
    for (int64_t x0 = 0; x0 < columns; x0 += TransposeBlock) {
        const int64_t x1 = std::min(columns, x0 + TransposeBlock);
        for (int64_t y = 0; y < rows; ++y) {
            const uint8_t* row = view.Row(y);
            for (int64_t x = x0; x < x1; ++x) {
                target[x * rows + y] = row[x];
            }
        }
    }
}

bool SourceCoversRows(const ByteArray2D& source, int64_t rows) {
    return source.IsAllocated() && source.LBound(1) <= 0 && source.UBound(1) >= 0 && source.LBound(2) <= 0 &&
           source.UBound(2) >= rows - 1;
}

// The walk as designed, one checked byte at a time: for arrays whose bounds are out of the ordinary.
void StoreByBytes(const ByteArray2D& source, const ByteView2D& view, int32_t columns, int32_t rows) {
    for (int32_t x = 0; x <= columns - 1; x += 3) {
        for (int32_t y = 0; y <= rows - 1; ++y) {
            if (source.UBound(1) > x - 1) {
                view(x + 2, y) = source(x + 2, y);
                view(x + 1, y) = source(x + 1, y);
                view(x, y) = source(x, y);
            } else {
                view(x + 2, y) = 0;
                view(x + 1, y) = 0;
                view(x, y) = 0;
            }
        }
    }
}
} // namespace

void CopyViewToArray(const ByteView2D& view, ByteArray2D& target, int32_t columns, int32_t rows) {
    const WalkPrefix prefix = PrefixOf(columns, rows, view.RowBytes(), view.Rows());
    const int64_t targetRow = target.Count1();
    uint8_t* data = target.Data();
    for (int64_t y = 0; prefix.FullColumns > 0 && y < rows; ++y) {
        std::memcpy(data + y * targetRow, view.Row(y), static_cast<size_t>(prefix.FullColumns));
    }
    for (int64_t y = 0; y < prefix.PartRows; ++y) {
        data[y * targetRow] = view.Row(y)[0];
    }
    RaiseIfFails(prefix);
}

void CopyViewToColumns(const ByteView2D& view, ByteArray1D& target, int32_t columns, int32_t rows) {
    const WalkPrefix prefix = PrefixOf(columns, rows, view.RowBytes(), view.Rows());
    CopyColumnsTransposed(view, target.Data(), prefix.FullColumns, rows);
    for (int64_t y = 0; y < prefix.PartRows; ++y) {
        target.Data()[y] = view.Row(y)[0];
    }
    RaiseIfFails(prefix);
}

void StoreArrayToView(const ByteArray2D& source, const ByteView2D& view, int32_t columns, int32_t rows) {
    if (!SourceCoversRows(source, rows) || view.RowBytes() < columns || view.Rows() < rows) {
        StoreByBytes(source, view, columns, rows);
        return;
    }
    const int64_t upper = source.UBound(1);
    const int64_t pixels = columns / 3;
    const int64_t wholePixels = std::min(pixels, (upper + 1) / 3);
    const bool endsInsidePixel = wholePixels < pixels && (upper + 1) % 3 != 0;
    const int64_t blackBytes = endsInsidePixel ? 0 : 3 * (pixels - wholePixels);
    const int64_t sourceRow = source.Count1();
    const uint8_t* first = source.Data() - source.LBound(1) - source.LBound(2) * sourceRow;
    for (int64_t y = 0; y < rows; ++y) {
        uint8_t* row = view.Row(y);
        std::memcpy(row, first + y * sourceRow, static_cast<size_t>(3 * wholePixels));
        std::memset(row + 3 * wholePixels, 0, static_cast<size_t>(blackBytes));
    }
    if (endsInsidePixel) {
        RaiseError(ErrNo::SubscriptOutOfRange);
    }
}

void FillFromColumns(const ByteArray1D& source, ByteArray2D& target) {
    // The walk's first step compares its index with UBound + 1, a 32-bit sum, and then reads element
    // 0 unless that sum is 0.
    const int64_t available = static_cast<int64_t>(source.UBound()) + 1;
    if (available > std::numeric_limits<int32_t>::max()) {
        RaiseError(ErrNo::Overflow);
    }
    if (available == 0) {
        return;
    }
    if (source.LBound() > 0 || available < 0) {
        RaiseError(ErrNo::SubscriptOutOfRange);
    }
    const int64_t columns = target.Count1();
    const int64_t rows = target.Count2();
    const uint8_t* from = source.Data() + (0 - static_cast<int64_t>(source.LBound()));
    uint8_t* to = target.Data();
    int64_t i = 0;
    for (int64_t x = 0; x < columns; ++x) {
        for (int64_t y = 0; y < rows && i < available; ++y, ++i) {
            to[y * columns + x] = from[i];
        }
    }
}

} // namespace quillax
