#include "app/frmMain.h"

namespace quillax {

void frmMain::LoadNodes(float x, float y) {
    LoadNodeMarker(Node, x, y);
}

void frmMain::LoadJoints(float x1, float y1, float x2, float y2) {
    LoadJointMarker(Joint, x1, y1, x2, y2);
}

void frmMain::UnloadNodes() {
    DropLastElement(Node);
}

void frmMain::UnloadJoints() {
    DropLastElement(Joint);
}

} // namespace quillax
