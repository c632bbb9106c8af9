#include "view/GridTiling.h"

#include "platform/Numeric.h"
#include "platform/RuntimeError.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace quillax {

namespace {
// Where a visible run of a cell starts in a tile of tileExtent: the same run of the cell when the
// tile is whole; in a cut tile, a run with the line exactly where the cell's run has it.
int64_t TileOffset(int64_t cellOffset, int64_t length, int32_t cellSize, int32_t tileExtent,
                   GridLineEnd line) {
    if (line == GridLineEnd::First) {
        return std::min<int64_t>(cellOffset, tileExtent - length);
    }
    if (cellOffset + length == cellSize) {
        return tileExtent - length;
    }
    return std::min<int64_t>(cellOffset, tileExtent - 1 - length);
}
} // namespace

int32_t WholePart(double value) {
    const double whole = std::trunc(value);
    if (!(whole >= std::numeric_limits<int32_t>::min() && whole <= std::numeric_limits<int32_t>::max())) {
        RaiseError(ErrNo::Overflow);
    }
    return static_cast<int32_t>(whole);
}

void PaintGridTile(ByteArray2D& tile) {
    const int64_t rowBytes = tile.Count1();
    for (int64_t line = 0; line < tile.Count2(); ++line) {
        uint8_t* row = tile.Data() + line * rowBytes;
        std::memset(row, 0, static_cast<size_t>(rowBytes));
        std::memset(row, GridGrey,
                    static_cast<size_t>(line == 0 ? rowBytes : std::min<int64_t>(3, rowBytes)));
    }
}

std::optional<int32_t> GridOrigin(float centre, float viewScale, float viewOffset, int16_t viewExtent) {
    const double scaledCentre = RoundHalfEven(ToSingle(static_cast<double>(centre) * viewScale));
    const double position =
        centre - scaledCentre - static_cast<double>(viewOffset) * viewScale + viewExtent / 2.0;
    if (!std::isfinite(position)) {
        return std::nullopt;
    }
    return RoundSaturated<int32_t>(position);
}

int64_t FirstTilePosition(int32_t origin, int32_t cellSize) {
    return origin -
           static_cast<int64_t>(cellSize) * (WholePart(static_cast<double>(origin) / cellSize) + 1LL);
}

int64_t LastTileIndex(float areaExtent, int32_t cellSize) {
    return static_cast<int64_t>(RoundHalfEven(areaExtent / static_cast<float>(cellSize)));
}

int64_t CoveringTileIndex(int64_t first, int32_t cellSize, int32_t areaExtent) {
    return std::max<int64_t>(areaExtent - 1 - first, 0) / cellSize;
}

int32_t GridTileExtent(int32_t cellSize, int32_t areaExtent) {
    return static_cast<int32_t>(std::min<int64_t>(cellSize, static_cast<int64_t>(areaExtent) + 1));
}

std::vector<TileSpan> TileSpans(int64_t first, int64_t lastIndex, int32_t cellSize, int32_t tileExtent,
                                int32_t areaExtent, GridLineEnd line) {
    std::vector<TileSpan> spans;
    for (int64_t index = 0; index <= lastIndex; ++index) {
        const int64_t start = first + index * cellSize;
        const int64_t visibleStart = std::max<int64_t>(start, 0);
        const int64_t visibleEnd = std::min<int64_t>(start + cellSize, areaExtent);
        if (visibleEnd <= visibleStart) {
            continue;
        }
        const int64_t length = visibleEnd - visibleStart;
        const int64_t from = TileOffset(visibleStart - start, length, cellSize, tileExtent, line);
        spans.push_back(
            {static_cast<int32_t>(visibleStart), static_cast<int32_t>(from), static_cast<int32_t>(length)});
    }
    return spans;
}

std::optional<GridLayout> LayOutGrid(const ViewTransform& view, int16_t cellSize, int32_t width,
                                     int32_t height) {
    const std::optional<int32_t> originX = GridOrigin(view.CentreX, view.Scale, view.OffsetX, view.Width);
    const std::optional<int32_t> originY = GridOrigin(view.CentreY, view.Scale, view.OffsetY, view.Height);
    if (cellSize < 1 || !originX || !originY) {
        return std::nullopt;
    }
    GridLayout layout;
    layout.CellSize = cellSize;
    layout.TileWidth = GridTileExtent(cellSize, width);
    layout.TileHeight = GridTileExtent(cellSize, height);
    const auto spans = [cellSize](int32_t origin, int32_t extent, int32_t tileExtent, GridLineEnd line) {
        const int64_t first = FirstTilePosition(origin, cellSize);
        const int64_t last = std::max(LastTileIndex(static_cast<float>(extent), cellSize),
                                      CoveringTileIndex(first, cellSize, extent));
        return TileSpans(first, last, cellSize, tileExtent, extent, line);
    };
    layout.Columns = spans(*originX, width, layout.TileWidth, GridLineEnd::First);
    layout.Rows = spans(*originY, height, layout.TileHeight, GridLineEnd::Last);
    return layout;
}

} // namespace quillax
