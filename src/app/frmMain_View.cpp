#include "app/frmMain.h"

#include "drawingarea/DrawingArea.h"
#include "view/ViewZoom.h"

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

void frmMain::LoadNodes(float x, float y) {
    Scene.LoadNodes(x, y);
}

void frmMain::LoadJoints(float x1, float y1, float x2, float y2) {
    Scene.LoadJoints(x1, y1, x2, y2);
}

void frmMain::UnloadNodes() {
    Scene.UnloadNodes();
}

void frmMain::UnloadJoints() {
    Scene.UnloadJoints();
}

void frmMain::RedrawView() {
    MarkersStale = false;
    Scene.RedrawView();
    picMain->Refresh();
}

void frmMain::cmdRefresh_Click() {
    RedrawView();
}

void frmMain::cmdScaleUp_Click() {
    Scene.ViewScale = ZoomedIn(Scene.ViewScale);
    RedrawView();
}

void frmMain::cmdScaleDown_Click() {
    Scene.ViewScale = ZoomedOut(Scene.ViewScale);
    RedrawView();
}

void frmMain::DrawGrid(int16_t cellSize) {
    Scene.DrawGrid(cellSize);
    picMain->Refresh();
}

void frmMain::chkGrid_Click() {
    Scene.DrawBackground();
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
