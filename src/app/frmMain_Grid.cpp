#include "frmMain.h"

#include "DrawingArea.h"
#include "Numeric.h"

#include <QCheckBox>
#include <QLabel>

void frmMain::DrawGrid(int16_t) {
    picMain->Cls();
    picMain->Refresh();
}

void frmMain::chkGrid_Click() {
    if (chkGrid->isChecked()) {
        DrawGrid(ToInt16(ToSingle(GridSpacing) * ViewScale));
    } else {
        picMain->Cls();
    }
}

void frmMain::cmdGridSpaceInc_Click() {
    GridSpacing = CheckedInt16(GridSpacing + 1);
    lblGridSpace->setText(QString("Grid Spacing is: %1").arg(GridSpacing));
    RedrawView();
}

void frmMain::cmdGridSpaceDec_Click() {
    if (GridSpacing > 1) {
        GridSpacing = static_cast<int16_t>(GridSpacing - 1);
        lblGridSpace->setText(QString("Grid Spacing is: %1").arg(GridSpacing));
        RedrawView();
    }
}
