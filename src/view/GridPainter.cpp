#include "view/GridPainter.h"

#include <QPainter>

#include <algorithm>
#include <utility>
#include <vector>

namespace quillax {

namespace {
// Repeating a small pattern until it is this wide lets one fill move long runs at a time.
constexpr int32_t PatternReach = 256;

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

// Repeats in a band's direction do not change which tile position a pixel takes.
int32_t Repeats(const TileBand& band) {
    const int32_t reach = std::min(band.Length, PatternReach);
    return std::max(1, (reach + band.Period - 1) / band.Period);
}

QImage Pattern(const QImage& tile, const TileBand& column, const TileBand& row) {
    const QImage part = tile.copy(column.From, row.From, column.Period, row.Period);
    const int32_t across = Repeats(column);
    const int32_t down = Repeats(row);
    if (across == 1 && down == 1) {
        return part;
    }
    QImage pattern(part.width() * across, part.height() * down, part.format());
    QPainter painter(&pattern);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(pattern.rect(), QBrush(part));
    return pattern;
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
    QPainter painter(&area);
    PaintGrid(painter, tile, layout);
}

void PaintGrid(QPainter& painter, const QImage& tile, const GridLayout& layout) {
    const std::vector<TileBand> columns = Bands(layout.Columns, layout.TileWidth, layout.CellSize);
    const std::vector<TileBand> rows = Bands(layout.Rows, layout.TileHeight, layout.CellSize);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const TileBand& row : rows) {
        for (const TileBand& column : columns) {
            painter.setBrushOrigin(column.Origin, row.Origin);
            painter.fillRect(column.To, row.To, column.Length, row.Length,
                             QBrush(Pattern(tile, column, row)));
        }
    }
}

} // namespace quillax
