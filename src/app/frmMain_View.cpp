#include "frmMain.h"

#include "DrawingArea.h"
#include "Numeric.h"

#include <QCheckBox>

void frmMain::RedrawView() {
    if (chkGrid->isChecked()) {
        DrawGrid(ToInt16(ToSingle(GridSpacing) * ViewScale));
    } else {
        picMain->Cls();
    }
    picMain->Refresh();
}

void frmMain::cmdRefresh_Click() {
    RedrawView();
}

void frmMain::cmdScaleUp_Click() {
    ViewScale = ToSingle(static_cast<double>(ViewScale) * 1.25);
    RedrawView();
}

void frmMain::cmdScaleDown_Click() {
    ViewScale = ToSingle(static_cast<double>(ViewScale) / 1.25);
    RedrawView();
}
