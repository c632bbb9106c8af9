#include "app/frmMain.h"

#include "drawingarea/DrawingArea.h"
#include "objects/modObjects.h"
#include "surface/clsOffScreenDC.h"
#include "view/SceneDrawing.h"
#include "view/ViewZoom.h"

#include <QCheckBox>
#include <QLabel>

#include <limits>

namespace quillax {

namespace {
// Every cell size a 16-bit spacing can give is drawable, so the spacing stops only at its own limit.
constexpr int16_t LargestGridSpacing = std::numeric_limits<int16_t>::max();

QString GridSpacingCaption(int16_t spacing) {
    return QString("Grid Spacing is: %1").arg(spacing);
}
} // namespace

void frmMain::DrawGrid(int16_t cellSize) {
    // Without a cell or an origin to line up with, the background stays plain.
    if (!Surface || !DrawGridTiles(picMain->hDC(), static_cast<int32_t>(picMain->ScaleWidth()),
                                   static_cast<int32_t>(picMain->ScaleHeight()), *Surface, GridTileSize,
                                   CurrentView(), cellSize)) {
        picMain->Cls();
    }
    picMain->Refresh();
}

void frmMain::chkGrid_Click() {
    DrawBackground();
}

void frmMain::DrawBackground() {
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

} // namespace quillax
