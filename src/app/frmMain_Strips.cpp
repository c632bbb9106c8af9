#include "app/frmMain.h"

#include "app/MarkerTips.h"
#include "browse/ListBox.h"
#include "browse/SelectorStrip.h"
#include "browse/StripState.h"

namespace quillax {

namespace {
// Whether a flag of the chosen mesh is set; a box beyond the flags stands for nothing marked.
bool IsSet(const MeshSelection* marks, std::vector<int16_t> MeshSelection::*flags, int16_t index) {
    return marks != nullptr && index >= 0 && static_cast<size_t>(index) < (marks->*flags).size() &&
           (marks->*flags)[static_cast<size_t>(index)] != 0;
}
} // namespace

// The boxes show the chosen mesh's marks as they are: the flags are their only record.
void frmMain::WireStrips() {
    picSideBar->SetFlow(BoxFlow::Columns);
    picTopBar->SetMarkSource([this](int16_t index) {
        return IsSet(Open.MarksOf(Open.ChosenMesh()), &MeshSelection::PointFlags, index);
    });
    picSideBar->SetMarkSource([this](int16_t index) {
        return IsSet(Open.MarksOf(Open.ChosenMesh()), &MeshSelection::LineFlags, index);
    });
    picTopBar->SetTipSource(
        [this](int16_t index) { return PointTip(CurrentObject, Open.ChosenMesh(), index); });
    picSideBar->SetTipSource(
        [this](int16_t index) { return LineTip(CurrentObject, Open.ChosenMesh(), index); });
    connect(picTopBar, &SelectorStrip::BoxClicked, this,
            [this](int16_t index) { RunHandler([this, index] { picPoint_Click(index); }); });
    connect(picSideBar, &SelectorStrip::BoxClicked, this,
            [this](int16_t index) { RunHandler([this, index] { picLine_Click(index); }); });
}

// The layout runs after a box is created, unless a batch of boxes leaves the run out.
void frmMain::LoadPointBoxes() {
    Layout.Grow(picPoint);
}

void frmMain::LoadLineBoxes() {
    Layout.Grow(picLine);
}

void frmMain::UnloadPointBoxes() {
    ShrinkStrip(picPoint);
}

void frmMain::UnloadLineBoxes() {
    ShrinkStrip(picLine);
}

// The flag's indices are checked, then the box, before the mark flips.
void frmMain::PaintPointBox(int16_t meshIndex, int16_t pointIndex) {
    Open.CheckMark(meshIndex, false, pointIndex);
    picPoint.CheckExists(pointIndex);
    Open.TogglePointMark(meshIndex, pointIndex);
    RedrawView();
}

void frmMain::PaintLineBox(int16_t meshIndex, int16_t lineIndex) {
    Open.CheckMark(meshIndex, true, lineIndex);
    picLine.CheckExists(lineIndex);
    Open.ToggleLineMark(meshIndex, lineIndex);
    RedrawView();
}

void frmMain::picPoint_Click(int16_t index) {
    PaintPointBox(LstMeshes->ListIndex(), index);
}

void frmMain::picLine_Click(int16_t index) {
    PaintLineBox(LstMeshes->ListIndex(), index);
}

// The markers take their marked look from the flags when they are painted, where the handler ends.
void frmMain::MarksChanged(int32_t mesh, MarkRange points, MarkRange lines) {
    if (mesh == -1 || mesh == Open.ChosenMesh()) {
        picTopBar->RepaintBoxes(points.First, points.Last);
        picSideBar->RepaintBoxes(lines.First, lines.Last);
    }
}

} // namespace quillax
