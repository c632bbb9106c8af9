#include "frmMain.h"

#include "DrawingArea.h"
#include "SelectorStrip.h"

#include <QGroupBox>

void frmMain::ArrangePanels() {
    const int sw = static_cast<int>(ScaleWidth());
    const int sh = static_cast<int>(ScaleHeight());
    picTopBar->setGeometry(0, 0, sw, 24);
    picSideBar->setGeometry(0, 24, 24, sh - 24);
    frameControls->move(sw - frameControls->width() - 7, 28);
    picMain->setGeometry(30, 30, std::max(1, sw - 294), std::max(1, sh - 35));
}
