#include "view/GridPainter.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace quillax {

namespace {
// Area pixels To .. To + Length - 1 along one axis, taking tile position From + (x - Origin) mod Period.
struct TileBand {
    int32_t To;
    int32_t Length;
    int32_t Origin;
    int32_t From;
    int32_t Period;
};

// Whole tiles lie side by side, so their spans make one periodic band; the spans of a cut tile
// each take their own part of it.
std::vector<TileBand> Bands(const std::vector<TileSpan>& spans, int32_t tileExtent, int32_t cellSize) {
    std::vector<TileBand> bands;
    if (spans.empty()) {
        return bands;
    }
    if (tileExtent == cellSize) {
        const TileSpan& first = spans.front();
        const TileSpan& last = spans.back();
        bands.push_back({first.To, last.To + last.Length - first.To, first.To - first.From, 0, cellSize});
        return bands;
    }
    for (const TileSpan& span : spans) {
        bands.push_back({span.To, span.Length, span.To, span.From, span.Length});
    }
    return bands;
}

// The tile position that area position `at` takes along the band's axis.
int32_t TilePosition(const TileBand& band, int32_t at) {
    const int32_t offset = (at - band.Origin) % band.Period;
    return band.From + (offset < 0 ? offset + band.Period : offset);
}

// Pixels from `left` on, `count` of them, of a row taking tile row `source` across the band: one
// period from the tile, then copies of what is written, doubling each time.
void FillRow(uint32_t* row, int32_t left, int32_t count, const uint32_t* source, const TileBand& column) {
    uint32_t* to = row + left;
    const int32_t first = TilePosition(column, left);
    const int32_t head = std::min(count, column.From + column.Period - first);
    std::memcpy(to, source + first, static_cast<size_t>(head) * sizeof(uint32_t));
    int32_t written = head;
    if (written < count) {
        const int32_t rest = std::min(count - written, first - column.From);
        std::memcpy(to + written, source + column.From, static_cast<size_t>(rest) * sizeof(uint32_t));
        written += rest;
    }
    while (written < count) {
        const int32_t copied = std::min(written, count - written);
        std::memcpy(to + written, to, static_cast<size_t>(copied) * sizeof(uint32_t));
        written += copied;
    }
}

// One band's pixels inside `rect`: a row is taken from the tile the first time its tile row comes,
// and copied from the row one period up after that.
void PaintBand(QImage& area, const QImage& tile, const TileBand& column, const TileBand& row,
               const QRect& rect) {
    const auto bytes = static_cast<size_t>(rect.width()) * sizeof(uint32_t);
    for (int32_t y = rect.top(); y <= rect.bottom(); ++y) {
        auto* line = reinterpret_cast<uint32_t*>(area.scanLine(y));
        if (y - rect.top() >= row.Period) {
            std::memcpy(line + rect.left(),
                        reinterpret_cast<const uint32_t*>(area.constScanLine(y - row.Period)) + rect.left(),
                        bytes);
        } else {
            const auto* source = reinterpret_cast<const uint32_t*>(tile.constScanLine(TilePosition(row, y)));
            FillRow(line, rect.left(), rect.width(), source, column);
        }
    }
}

// Spans (in order along the axis) that touch or overlap become one run, as (start, end) pairs.
std::vector<std::pair<int32_t, int32_t>> Runs(const std::vector<TileSpan>& spans) {
    std::vector<std::pair<int32_t, int32_t>> runs;
    for (const TileSpan& span : spans) {
        if (!runs.empty() && span.To <= runs.back().second) {
            runs.back().second = std::max(runs.back().second, span.To + span.Length);
        } else {
            runs.emplace_back(span.To, span.To + span.Length);
        }
    }
    return runs;
}
} // namespace

QRegion GridCoverage(const GridLayout& layout) {
    QRegion covered;
    for (const auto& [top, bottom] : Runs(layout.Rows)) {
        for (const auto& [left, right] : Runs(layout.Columns)) {
            covered += QRect(left, top, right - left, bottom - top);
        }
    }
    return covered;
}

void PaintGrid(QImage& area, const QImage& tile, const GridLayout& layout) {
    PaintGrid(area, tile, layout, QRegion(area.rect()));
}

void PaintGrid(QImage& area, const QImage& tile, const GridLayout& layout, const QRegion& within) {
    const std::vector<TileBand> columns = Bands(layout.Columns, layout.TileWidth, layout.CellSize);
    const std::vector<TileBand> rows = Bands(layout.Rows, layout.TileHeight, layout.CellSize);
    const QRegion clip = within & area.rect();
    for (const TileBand& row : rows) {
        for (const TileBand& column : columns) {
            for (const QRect& rect : (clip & QRect(column.To, row.To, column.Length, row.Length))) {
                PaintBand(area, tile, column, row, rect);
            }
        }
    }
}

} // namespace quillax
