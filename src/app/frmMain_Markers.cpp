#include "app/frmMain.h"

namespace quillax {

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

} // namespace quillax
