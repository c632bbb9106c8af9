#include "app/frmMain.h"

#include "browse/ListBox.h"
#include "view/MarkerHitTest.h"

#include <QRect>

#include <algorithm>
#include <cmath>

namespace quillax {

namespace {
// The marks of the chosen mesh; none when no mesh is chosen.
MeshSelection* ChosenMarks(int32_t chosen) {
    if (chosen < 0 || static_cast<size_t>(chosen) >= CurrentPlacement.Selections.size()) {
        return nullptr;
    }
    return &CurrentPlacement.Selections[static_cast<size_t>(chosen)];
}

// Whether a marker's centre, where it is drawn, lies in the band (pixels, edges included).
bool Inside(const NodeElement& node, const QRect& band) {
    const MarkerPoint centre = MarkerCentre(node);
    return node.Visible && centre.X >= band.left() && centre.X <= band.right() && centre.Y >= band.top() &&
           centre.Y <= band.bottom();
}

void SetAll(std::vector<int16_t>& flags, int16_t value) {
    std::fill(flags.begin(), flags.end(), value);
}
} // namespace

void frmMain::picMain_Band(QPoint from, QPoint to, bool adding) {
    const int32_t chosen = LstMeshes->ListIndex();
    MeshSelection* marks = ChosenMarks(chosen);
    if (marks == nullptr) {
        return;
    }
    const QRect band = QRect(from, to).normalized();
    const MarkerRange range = MarkersOfMesh(CurrentObject, chosen, Scene.Node, Scene.Joint);
    const int32_t points = std::min<int32_t>(range.NodeCount, static_cast<int32_t>(marks->PointFlags.size()));
    for (int32_t k = 0; k < points; ++k) {
        int16_t& flag = marks->PointFlags[static_cast<size_t>(k)];
        if (Inside(Scene.Node(range.FirstNode + k), band)) {
            flag = -1;
        } else if (!adding) {
            flag = 0;
        }
    }
    if (!adding) {
        SetAll(marks->LineFlags, 0);
    }
    ShowMarks();
}

void frmMain::MarkAll() {
    if (MeshSelection* marks = ChosenMarks(LstMeshes->ListIndex())) {
        SetAll(marks->PointFlags, -1);
        SetAll(marks->LineFlags, -1);
        ShowMarks();
    }
}

void frmMain::ClearMarks() {
    if (MeshSelection* marks = ChosenMarks(LstMeshes->ListIndex())) {
        SetAll(marks->PointFlags, 0);
        SetAll(marks->LineFlags, 0);
        ShowMarks();
    }
}

void frmMain::ShowMarks() {
    if (const MeshSelection* marks = ChosenMarks(LstMeshes->ListIndex())) {
        PaintBoxes(marks->PointFlags, picPoint, PointBoxColours);
        PaintBoxes(marks->LineFlags, picLine, LineBoxColours);
    }
    RedrawView();
}

} // namespace quillax
