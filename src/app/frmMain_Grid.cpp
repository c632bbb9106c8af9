#include "frmMain.h"

#include "DrawingArea.h"
#include "Gdi.h"
#include "GridTiling.h"
#include "Numeric.h"
#include "ViewZoom.h"
#include "clsOffScreenDC.h"
#include "modObjects.h"

#include <QCheckBox>
#include <QLabel>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {
// Every cell size a 16-bit spacing can give is drawable, so the spacing stops only at its own limit.
constexpr int16_t LargestGridSpacing = std::numeric_limits<int16_t>::max();

QString GridSpacingCaption(int16_t spacing) {
    return QString("Grid Spacing is: %1").arg(spacing);
}

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

void frmMain::DrawGrid(int16_t cellSize) {
    const std::optional<int32_t> originX =
        GridOrigin(CurrentObject.CentreX, ViewScale, ViewOffsetX, ViewWidth);
    const std::optional<int32_t> originY =
        GridOrigin(CurrentObject.CentreY, ViewScale, ViewOffsetY, ViewHeight);
    const auto width = static_cast<int32_t>(picMain->ScaleWidth());
    const auto height = static_cast<int32_t>(picMain->ScaleHeight());
    const int32_t tileWidth = GridTileExtent(cellSize, width);
    const int32_t tileHeight = GridTileExtent(cellSize, height);
    // Without a cell or an origin to line up with, the background stays plain.
    if (cellSize < 1 || !originX || !originY || !Surface ||
        !HoldGridTile(*Surface, GridTileSize, cellSize, tileWidth, tileHeight)) {
        picMain->Cls();
        picMain->Refresh();
        return;
    }
    const auto columns =
        TileSpans(FirstTilePosition(*originX, cellSize), LastTileIndex(picMain->ScaleWidth(), cellSize),
                  cellSize, tileWidth, width, GridLineEnd::First);
    const auto rows =
        TileSpans(FirstTilePosition(*originY, cellSize), LastTileIndex(picMain->ScaleHeight(), cellSize),
                  cellSize, tileHeight, height, GridLineEnd::Last);
    CopyTiles(picMain->hDC(), Surface->DC(), columns, rows);
    picMain->Refresh();
}

void frmMain::chkGrid_Click() {
    if (chkGrid->isChecked()) {
        DrawGrid(GridCellSize(GridSpacing, ViewScale));
    } else {
        picMain->Cls();
    }
}

void frmMain::cmdGridSpaceInc_Click() {
    if (GridSpacing < LargestGridSpacing) {
        GridSpacing = static_cast<int16_t>(GridSpacing + 1);
        lblGridSpace->setText(GridSpacingCaption(GridSpacing));
        RedrawView();
    }
}

void frmMain::cmdGridSpaceDec_Click() {
    if (GridSpacing > 1) {
        GridSpacing = static_cast<int16_t>(GridSpacing - 1);
        lblGridSpace->setText(GridSpacingCaption(GridSpacing));
        RedrawView();
    }
}
