#include "app/frmMain.h"

#include "browse/ListBox.h"
#include "browse/SelectorStrip.h"
#include "browse/StripState.h"
#include "objects/modObjects.h"

namespace quillax {

namespace {
MeshSelection& SelectionOf(int16_t meshIndex) {
    if (meshIndex < 0 || static_cast<size_t>(meshIndex) >= CurrentPlacement.Selections.size()) {
        RaiseError(ErrNo::SubscriptOutOfRange, "mesh " + std::to_string(meshIndex));
    }
    return CurrentPlacement.Selections[static_cast<size_t>(meshIndex)];
}
} // namespace

void frmMain::WireStrips() {
    picSideBar->SetFlow(BoxFlow::Columns);
    picTopBar->SetTipSource([this](int16_t index) { return PointBoxTip(index); });
    picSideBar->SetTipSource([this](int16_t index) { return LineBoxTip(index); });
    connect(picTopBar, &SelectorStrip::BoxClicked, this,
            [this](int16_t index) { RunHandler([this, index] { picPoint_Click(index); }); });
    connect(picSideBar, &SelectorStrip::BoxClicked, this,
            [this](int16_t index) { RunHandler([this, index] { picLine_Click(index); }); });
}

void frmMain::LoadPointBoxes() {
    if (GrowStrip(picPoint, PointBoxColours.Unselected)) {
        ArrangePanels();
    }
}

void frmMain::LoadLineBoxes() {
    if (GrowStrip(picLine, LineBoxColours.Unselected)) {
        ArrangePanels();
    }
}

void frmMain::UnloadPointBoxes() {
    ShrinkStrip(picPoint);
}

void frmMain::UnloadLineBoxes() {
    ShrinkStrip(picLine);
}

void frmMain::PaintPointBox(int16_t meshIndex, int16_t pointIndex) {
    ToggleBox(SelectionOf(meshIndex).PointFlags, pointIndex, picPoint, PointBoxColours);
    picTopBar->RepaintBox(pointIndex);
    RedrawView();
}

void frmMain::PaintLineBox(int16_t meshIndex, int16_t lineIndex) {
    ToggleBox(SelectionOf(meshIndex).LineFlags, lineIndex, picLine, LineBoxColours);
    picSideBar->RepaintBox(lineIndex);
    RedrawView();
}

void frmMain::picPoint_Click(int16_t index) {
    PaintPointBox(LstMeshes->ListIndex(), index);
}

void frmMain::picLine_Click(int16_t index) {
    PaintLineBox(LstMeshes->ListIndex(), index);
}

std::string frmMain::PointBoxTip(int16_t index) const {
    return PointTip(LstMeshes->ListIndex(), index);
}

std::string frmMain::LineBoxTip(int16_t index) const {
    return LineTip(LstMeshes->ListIndex(), index);
}

} // namespace quillax
