#include "view/SceneDrawing.h"

#include "gdi/Gdi.h"
#include "platform/ByteArray2D.h"
#include "surface/clsOffScreenDC.h"
#include "view/GridTiling.h"

namespace quillax {

namespace {
// Makes the surface hold the tile of cellSize cut to width x height, rebuilding it only when the
// cell size or that cut changed; false when the surface could not make it (it has said why).
bool HoldGridTile(clsOffScreenDC& surface, int16_t& tileSize, int16_t cellSize, int32_t width,
                  int32_t height) {
    if (cellSize != tileSize || surface.GetWidth() != width || surface.GetHeight() != height) {
        surface.CreateImage(height, width);
        ByteArray2D tile;
        surface.GetByteArray(tile);
        PaintGridTile(tile);
        surface.SetByteArray(tile);
        tileSize = cellSize;
    }
    return surface.GetWidth() == width && surface.GetHeight() == height;
}

void CopyTiles(uint32_t target, uint32_t tile, const std::vector<TileSpan>& columns,
               const std::vector<TileSpan>& rows) {
    for (const TileSpan& row : rows) {
        for (const TileSpan& column : columns) {
            BitBlt(target, column.To, row.To, column.Length, row.Length, tile, column.From, row.From,
                   SRCCOPY);
        }
    }
}
} // namespace

void LoadObjectMarkers(const ObjectFile& object, const ViewTransform& view, const NodeLoader& loadNode,
                       const JointLoader& loadJoint) {
    for (int16_t i = 0; i < object.MeshCount; ++i) {
        const Mesh& mesh = object.Meshes[static_cast<size_t>(i)];
        ScreenPoint previous{};
        for (int16_t j = 0; j < mesh.PointCount; ++j) {
            const ScreenPoint point =
                ModelToScreen(view, mesh.X[static_cast<size_t>(j)], mesh.Y[static_cast<size_t>(j)]);
            loadNode(i, SinglePosition(point.X), SinglePosition(point.Y));
            if (j > 0) {
                loadJoint(i, SinglePosition(previous.X), SinglePosition(previous.Y), SinglePosition(point.X),
                          SinglePosition(point.Y));
            }
            previous = point;
        }
    }
}

std::optional<GridLayout> LayOutGrid(const ViewTransform& view, int16_t cellSize, int32_t width,
                                     int32_t height) {
    const std::optional<int32_t> originX = GridOrigin(view.CentreX, view.Scale, view.OffsetX, view.Width);
    const std::optional<int32_t> originY = GridOrigin(view.CentreY, view.Scale, view.OffsetY, view.Height);
    if (cellSize < 1 || !originX || !originY) {
        return std::nullopt;
    }
    GridLayout layout;
    layout.TileWidth = GridTileExtent(cellSize, width);
    layout.TileHeight = GridTileExtent(cellSize, height);
    layout.Columns =
        TileSpans(FirstTilePosition(*originX, cellSize), LastTileIndex(static_cast<float>(width), cellSize),
                  cellSize, layout.TileWidth, width, GridLineEnd::First);
    layout.Rows =
        TileSpans(FirstTilePosition(*originY, cellSize), LastTileIndex(static_cast<float>(height), cellSize),
                  cellSize, layout.TileHeight, height, GridLineEnd::Last);
    return layout;
}

bool DrawGridTiles(uint32_t targetDC, int32_t width, int32_t height, clsOffScreenDC& surface,
                   int16_t& tileSize, const ViewTransform& view, int16_t cellSize) {
    const std::optional<GridLayout> layout = LayOutGrid(view, cellSize, width, height);
    if (!layout || !HoldGridTile(surface, tileSize, cellSize, layout->TileWidth, layout->TileHeight)) {
        return false;
    }
    CopyTiles(targetDC, surface.DC(), layout->Columns, layout->Rows);
    return true;
}

} // namespace quillax
