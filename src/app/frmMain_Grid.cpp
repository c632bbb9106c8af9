#include "app/frmMain.h"

#include "drawingarea/DrawingArea.h"

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
    Scene.DrawGrid(cellSize, picMain->size());
    picMain->Refresh();
}

void frmMain::chkGrid_Click() {
    Scene.DrawBackground(picMain->size());
    picMain->Refresh();
}

void frmMain::cmdGridSpaceInc_Click() {
    if (Scene.GridSpacing < LargestGridSpacing) {
        Scene.GridSpacing = static_cast<int16_t>(Scene.GridSpacing + 1);
        lblGridSpace->setText(GridSpacingCaption(Scene.GridSpacing));
        RedrawView();
    }
}

void frmMain::cmdGridSpaceDec_Click() {
    if (Scene.GridSpacing > 1) {
        Scene.GridSpacing = static_cast<int16_t>(Scene.GridSpacing - 1);
        lblGridSpace->setText(GridSpacingCaption(Scene.GridSpacing));
        RedrawView();
    }
}

} // namespace quillax
