#include "app/frmMain.h"

#include "drawingarea/DrawingArea.h"
#include "view/ViewZoom.h"

namespace quillax {

void frmMain::RedrawView() {
    MarkersStale = false;
    Scene.RedrawView(picMain->size());
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

} // namespace quillax
