#pragma once

#include "platform/ByteArray2D.h"
#include "view/ViewTransform.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace quillax {

// The grid's arithmetic: one cell is painted into a tile, and the tile is copied side by side over
// the drawing area. Within the 16-bit range every figure is the designed one; beyond it the same
// arithmetic runs in wider integers, so a huge cell or a far origin never fails and never makes a
// tile larger than the drawing area.

// The grey of the grid lines, in each of red, green and blue.
inline constexpr uint8_t GridGrey = 64;

// The integer part of value, truncated toward zero (3.75 gives 3, -3.75 gives -3); an overflow
// error when it does not fit 32 bits.
int32_t WholePart(double value);

// Grey in pixel column 0 and in scan line 0 (the bottom line), black elsewhere: every byte of a
// tile's array as the surface hands it out (3 bytes a pixel, first index from 0).
void PaintGridTile(ByteArray2D& tile);

// One axis of the drawing-area position of the object origin: the view transform of the point 0
// without rotation or placement, the scaled centre rounded before it is subtracted. None when the
// inputs give no finite position; beyond 32 bits the position is held at the 32-bit bounds.
std::optional<int32_t> GridOrigin(float centre, float viewScale, float viewOffset, int16_t viewExtent);

// Where the first tile starts along one axis: below 0, a whole number of cells from the origin.
int64_t FirstTilePosition(int32_t origin, int32_t cellSize);

// The index of the last tile along one axis (tiles 0 to this, inclusive): the drawing area's
// extent over the cell, in single precision, rounded halves to even.
int64_t LastTileIndex(float areaExtent, int32_t cellSize);
// Rounded down, that count can end the tiles short of the area's far edge. The index of the tile that
// holds the area's last pixel, counting from a first tile below 0.
int64_t CoveringTileIndex(int64_t first, int32_t cellSize, int32_t areaExtent);

// The tile's edge along one axis: the cell, but never more than the drawing area can show of one
// cell (its extent and one pixel, so a cell cut at both ends still finds a run without the line).
int32_t GridTileExtent(int32_t cellSize, int32_t areaExtent);

// Which end of a cell carries its grid line: the first pixel column, or the last line as
// displayed (the tile's scan line 0).
enum class GridLineEnd { First, Last };

// A tile copy along one axis: To and Length on the drawing area, From in the tile.
struct TileSpan {
    int32_t To = 0;
    int32_t From = 0;
    int32_t Length = 0;
    bool operator==(const TileSpan&) const = default;
};

// The visible parts of tiles first + i x cellSize, i = 0 .. lastIndex, on an area 0 .. areaExtent - 1.
// A tile cut to tileExtent stands for a whole cell: all pixels of a cell but its line are alike.
std::vector<TileSpan> TileSpans(int64_t first, int64_t lastIndex, int32_t cellSize, int32_t tileExtent,
                                int32_t areaExtent, GridLineEnd line);

// The grid's tile copies for an area of width x height: per axis the drawing-area spans and where
// they come from in a tile of TileWidth x TileHeight, cut from a cell of CellSize. The designed tiles,
// and beyond them as many more as reach the far edges, so the grid covers the whole area. None when
// there is no cell or no origin. Of the view only the scale, centre, offsets and size count: the grid
// neither turns nor moves with the object.
struct GridLayout {
    int32_t CellSize = 0;
    int32_t TileWidth = 0;
    int32_t TileHeight = 0;
    std::vector<TileSpan> Columns;
    std::vector<TileSpan> Rows;
};
std::optional<GridLayout> LayOutGrid(const ViewTransform& view, int16_t cellSize, int32_t width,
                                     int32_t height);

} // namespace quillax
