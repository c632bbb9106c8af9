#include "view/GridTiling.h"
#include "support/ErrorOf.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace quillax {

namespace {
constexpr int32_t Untouched = -1;

// One axis of the grid as the tiling is designed: whole tiles of cellSize, tiles 0 .. lastIndex from
// first, each with its line at one end; 1 for a line pixel, 0 for black, Untouched where no tile lands.
std::vector<int32_t> DesignedAxis(int64_t first, int64_t lastIndex, int32_t cellSize, int32_t areaExtent,
                                  GridLineEnd line) {
    std::vector<int32_t> axis(static_cast<size_t>(areaExtent), Untouched);
    for (int64_t index = 0; index <= lastIndex; ++index) {
        for (int32_t k = 0; k < cellSize; ++k) {
            const int64_t position = first + index * cellSize + k;
            if (position >= 0 && position < areaExtent) {
                axis[static_cast<size_t>(position)] = k == (line == GridLineEnd::First ? 0 : cellSize - 1);
            }
        }
    }
    return axis;
}

// The same axis drawn from the spans out of a tile of tileExtent.
std::vector<int32_t> SpannedAxis(const std::vector<TileSpan>& spans, int32_t tileExtent, int32_t areaExtent,
                                 GridLineEnd line) {
    std::vector<int32_t> axis(static_cast<size_t>(areaExtent), Untouched);
    for (const TileSpan& span : spans) {
        EXPECT_GE(span.From, 0);
        EXPECT_LE(span.From + span.Length, tileExtent);
        for (int32_t j = 0; j < span.Length; ++j) {
            const int32_t t = span.From + j;
            axis[static_cast<size_t>(span.To + j)] = t == (line == GridLineEnd::First ? 0 : tileExtent - 1);
        }
    }
    return axis;
}
} // namespace

TEST(GridTiling, WholePartTruncatesTowardZero) {
    EXPECT_EQ(WholePart(3.75), 3);
    EXPECT_EQ(WholePart(-3.75), -3);
    EXPECT_EQ(WholePart(0.5), 0);
    EXPECT_EQ(WholePart(-0.5), 0);
    EXPECT_EQ(WholePart(-2147483648.9), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(ErrorOf([] { WholePart(2147483648.0); }), 6);
    EXPECT_EQ(ErrorOf([] { WholePart(NAN); }), 6);
}

TEST(GridTiling, StartUpFigures) {
    EXPECT_EQ(GridOrigin(0, 4.0f, 0, 561), 280) << "280.5 rounds to even";
    EXPECT_EQ(GridOrigin(0, 4.0f, 0, 505), 252) << "252.5 rounds to even";
    EXPECT_EQ(FirstTilePosition(280, 20), -20);
    EXPECT_EQ(FirstTilePosition(252, 20), -8);
    EXPECT_EQ(LastTileIndex(561, 20), 28);
    EXPECT_EQ(LastTileIndex(505, 20), 25);
    EXPECT_EQ(LastTileIndex(140, 40), 4) << "3.5 rounds to even";
    EXPECT_EQ(LastTileIndex(561, 10000), 0);
}

TEST(GridTiling, FirstTileLiesBelowZeroAWholeNumberOfCellsFromTheOrigin) {
    EXPECT_EQ(FirstTilePosition(285, 20), -15);
    EXPECT_EQ(FirstTilePosition(10, 20), -10) << "WholePart(0.5) is 0";
    EXPECT_EQ(FirstTilePosition(0, 20), -20);
    EXPECT_EQ(FirstTilePosition(-40, 20), -20) << "a negative whole multiple";
    EXPECT_EQ(FirstTilePosition(-5, 20), -25) << "other negative origins lie one cell further left";
    EXPECT_EQ(FirstTilePosition(1, 40), -39);
    EXPECT_EQ(FirstTilePosition(std::numeric_limits<int32_t>::max(), 3), -2);
}

TEST(GridTiling, OriginRoundsTheScaledCentreFirstAndNeverFails) {
    // 0.5 x 5 = 2.5 rounds to 2, so the origin is 0.5 - 2 + 280.5 = 279, where a marker at (0, 0)
    // would be at 278 (278.5 to even).
    EXPECT_EQ(GridOrigin(0.5f, 5.0f, 0, 561), 279);
    EXPECT_EQ(GridOrigin(10.0f, 4.0f, 0, 561), 250) << "the pivot is not multiplied by the zoom";
    EXPECT_EQ(GridOrigin(0, 4.0f, 3, 561), 268) << "the pan offset is";
    EXPECT_EQ(GridOrigin(1e9f, 4.0f, 0, 561), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(GridOrigin(-1e9f, 4.0f, 0, 561), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(GridOrigin(NAN, 4.0f, 0, 561), std::nullopt);
    EXPECT_EQ(GridOrigin(1.0f, INFINITY, 0, 561), std::nullopt);
}

TEST(GridTiling, TileHoldsTheLinesInColumnZeroAndScanLineZero) {
    ByteArray2D tile;
    tile.ReDim(3 * 4 - 1, 3 - 1);
    tile(7, 2) = 99;
    PaintGridTile(tile);
    for (int32_t y = 0; y < 3; ++y) {
        for (int32_t x = 0; x < 12; ++x) {
            EXPECT_EQ(tile(x, y), x < 3 || y == 0 ? 64 : 0) << x << ", " << y;
        }
    }
    ByteArray2D unallocated;
    PaintGridTile(unallocated);
    EXPECT_FALSE(unallocated.IsAllocated());
}

TEST(GridTiling, TheDesignedTilingStopsShortAndTheLayoutGoesOnToTheEdge) {
    // Width 100, cell 40, origin 1: the designed tiles at -39, 1 and 41 cover up to 80; a fourth
    // tile at 81 covers the rest.
    const int64_t first = FirstTilePosition(1, 40);
    EXPECT_EQ(TileSpans(first, LastTileIndex(100, 40), 40, 40, 100, GridLineEnd::First),
              (std::vector<TileSpan>{{0, 39, 1}, {1, 0, 40}, {41, 0, 40}}));
    EXPECT_EQ(CoveringTileIndex(first, 40, 100), 3);
    EXPECT_EQ(CoveringTileIndex(-20, 20, 561), 29) << "the start-up columns end at 559";
    EXPECT_EQ(CoveringTileIndex(-1, 20, 0), 0);
    const ViewTransform view{1, 0, 0, 0, 0, 0, 1, 49, 0, 100, 100};
    const std::optional<GridLayout> layout = LayOutGrid(view, 40, 100, 60);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->Columns, (std::vector<TileSpan>{{0, 39, 1}, {1, 0, 40}, {41, 0, 40}, {81, 0, 19}}));
}

// Whole or cut, the tile puts every line pixel where the designed whole tiles would and lands
// exactly where they land; beyond where they stop, the layout's tiles go on with the same lines to
// the far edge.
TEST(GridTiling, LayoutsKeepTheDesignedTilingAndCoverTheWholeArea) {
    const int32_t cells[] = {1, 2, 3, 7, 20, 40, 99, 100, 101, 250, 10922, 32767};
    const int32_t areas[] = {1, 2, 37, 100, 101, 561};
    const float offsets[] = {32768, 250, 41, 40, 5, 0, -1, -10, -99, -100, -280, -560, -32767};
    for (const int32_t cell : cells) {
        for (const int32_t area : areas) {
            for (const float offset : offsets) {
                const auto extent = static_cast<int16_t>(area);
                const ViewTransform view{1, 0, 0, 0, 0, 0, 1, offset, offset, extent, extent};
                const std::optional<GridLayout> layout =
                    LayOutGrid(view, static_cast<int16_t>(cell), area, area);
                ASSERT_TRUE(layout);
                const int32_t origin = *GridOrigin(0, 1, offset, extent);
                const int64_t first = FirstTilePosition(origin, cell);
                const int64_t designedLast = LastTileIndex(static_cast<float>(area), cell);
                const int64_t coveringLast = CoveringTileIndex(first, cell, area);
                for (const GridLineEnd line : {GridLineEnd::First, GridLineEnd::Last}) {
                    const auto& spans = line == GridLineEnd::First ? layout->Columns : layout->Rows;
                    const int32_t tileExtent =
                        line == GridLineEnd::First ? layout->TileWidth : layout->TileHeight;
                    const std::vector<int32_t> drawn = SpannedAxis(spans, tileExtent, area, line);
                    const std::vector<int32_t> designed = DesignedAxis(first, designedLast, cell, area, line);
                    ASSERT_EQ(drawn,
                              DesignedAxis(first, std::max(designedLast, coveringLast), cell, area, line))
                        << "cell " << cell << ", area " << area << ", origin " << origin;
                    for (size_t x = 0; x < designed.size(); ++x) {
                        ASSERT_TRUE(designed[x] == Untouched || designed[x] == drawn[x]) << x;
                        ASSERT_NE(drawn[x], Untouched)
                            << "cell " << cell << ", area " << area << ", at " << x;
                    }
                }
            }
        }
    }
}

} // namespace quillax
