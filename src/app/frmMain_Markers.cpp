#include "frmMain.h"

void frmMain::LoadNodes(float x, float y) {
    NodeElement& node = NextMarker(Node);
    node.Left = x - node.Width / 2;
    node.Top = y - node.Height / 2;
    node.Visible = true;
}

void frmMain::LoadJoints(float x1, float y1, float x2, float y2) {
    JointElement& joint = NextMarker(Joint);
    joint.X1 = x1;
    joint.Y1 = y1;
    joint.X2 = x2;
    joint.Y2 = y2;
    joint.Visible = true;
}

void frmMain::UnloadNodes() {
    DropLastMarker(Node);
}

void frmMain::UnloadJoints() {
    DropLastMarker(Joint);
}
