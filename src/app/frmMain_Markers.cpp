#include "frmMain.h"

namespace {
template <typename Element> Element& NextElement(ElementArray<Element>& pool) {
    if (pool.IsEmpty()) {
        return pool(0);
    }
    const int16_t index = pool.Count();
    pool.Load(index);
    return pool(index);
}

template <typename Element> void RemoveLastElement(ElementArray<Element>& pool) {
    if (pool.Count() > 1) {
        pool.Unload(pool.Count() - 1);
    } else {
        pool(0).Visible = false;
    }
}
} // namespace

void frmMain::LoadNodes(float x, float y) {
    NodeElement& node = NextElement(Node);
    node.Left = x - node.Width / 2;
    node.Top = y - node.Height / 2;
    node.Visible = true;
}

void frmMain::LoadJoints(float x1, float y1, float x2, float y2) {
    JointElement& joint = NextElement(Joint);
    joint.X1 = x1;
    joint.Y1 = y1;
    joint.X2 = x2;
    joint.Y2 = y2;
    joint.Visible = true;
}

void frmMain::UnloadNodes() {
    RemoveLastElement(Node);
}

void frmMain::UnloadJoints() {
    RemoveLastElement(Joint);
}
