#include "app/frmMain.h"

#include "browse/ListBox.h"
#include "drawingarea/DrawingArea.h"
#include "objects/modObjects.h"
#include "view/MeshRedraw.h"
#include "view/ViewZoom.h"

#include <QCheckBox>

namespace quillax {

void frmMain::RedrawView() {
    PlaceMarkers(Node, Joint, CurrentObject, CurrentPlacement, CurrentView(),
                 [this] { return LstMeshes->ListIndex(); });
    DrawBackground();
    // The markers changed even where the background did not.
    picMain->Refresh();
}

ViewTransform frmMain::CurrentView() const {
    return MakeViewTransform(CurrentObject, CurrentPlacement, ViewScale, ViewOffsetX, ViewOffsetY, ViewWidth,
                             ViewHeight);
}

void frmMain::cmdRefresh_Click() {
    RedrawView();
}

void frmMain::cmdScaleUp_Click() {
    ViewScale = ZoomedIn(ViewScale);
    RedrawView();
}

void frmMain::cmdScaleDown_Click() {
    ViewScale = ZoomedOut(ViewScale);
    RedrawView();
}

} // namespace quillax
