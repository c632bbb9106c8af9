#pragma once

#include "objects/modObjects.h"
#include "view/ViewTransform.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace quillax {

class clsOffScreenDC;
struct TileSpan;

// The drawing steps that the editor window and the command line share, so that both give the same
// picture for the same state.

// The load command's pass over the object: every point of every mesh in order gets a node at its
// drawing-area position, and every point after a mesh's first a joint from the point before it.
using NodeLoader = std::function<void(int16_t meshIndex, float x, float y)>;
using JointLoader = std::function<void(int16_t meshIndex, float x1, float y1, float x2, float y2)>;
void LoadObjectMarkers(const ObjectFile& object, const ViewTransform& view, const NodeLoader& loadNode,
                       const JointLoader& loadJoint);

// The grid's tile copies for an area of width x height: per axis the drawing-area spans and where
// they come from in a tile of TileWidth x TileHeight. None when there is no cell or no origin. Of the
// view only the scale, centre, offsets and size count: the grid neither turns nor moves with the object.
struct GridLayout {
    int32_t TileWidth = 0;
    int32_t TileHeight = 0;
    std::vector<TileSpan> Columns;
    std::vector<TileSpan> Rows;
};
std::optional<GridLayout> LayOutGrid(const ViewTransform& view, int16_t cellSize, int32_t width,
                                     int32_t height);

// Copies the grid's tiles onto targetDC, an area of width x height, the surface holding the tile
// (rebuilt only when tileSize or its cut changed). False when nothing was drawn: the caller clears.
bool DrawGridTiles(uint32_t targetDC, int32_t width, int32_t height, clsOffScreenDC& surface,
                   int16_t& tileSize, const ViewTransform& view, int16_t cellSize);

} // namespace quillax
