#include "frmMain.h"

#include "ListBox.h"
#include "SelectorStrip.h"
#include "StripState.h"
#include "StripTips.h"
#include "modObjects.h"

namespace {
MeshSelection& SelectionOf(int16_t meshIndex) {
    if (meshIndex < 0 || static_cast<size_t>(meshIndex) >= CurrentPlacement.Selections.size()) {
        RaiseError(ErrNo::SubscriptOutOfRange, "mesh " + std::to_string(meshIndex));
    }
    return CurrentPlacement.Selections[static_cast<size_t>(meshIndex)];
}

// The chosen mesh when it has a point at index, else none.
const Mesh* ChosenMeshWithPoint(int16_t meshIndex, int32_t index) {
    if (meshIndex < 0 || meshIndex >= static_cast<int32_t>(CurrentObject.Meshes.size())) {
        return nullptr;
    }
    const Mesh& mesh = CurrentObject.Meshes[static_cast<size_t>(meshIndex)];
    const bool has = index >= 0 && static_cast<size_t>(index) < std::min(mesh.X.size(), mesh.Y.size());
    return has ? &mesh : nullptr;
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
        ++StripLayoutRuns;
        ArrangePanels();
    }
}

void frmMain::LoadLineBoxes() {
    if (GrowStrip(picLine, LineBoxColours.Unselected)) {
        ++StripLayoutRuns;
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
    ++StripRedraws;
    RedrawView();
}

void frmMain::PaintLineBox(int16_t meshIndex, int16_t lineIndex) {
    ToggleBox(SelectionOf(meshIndex).LineFlags, lineIndex, picLine, LineBoxColours);
    picSideBar->RepaintBox(lineIndex);
    ++StripRedraws;
    RedrawView();
}

void frmMain::picPoint_Click(int16_t index) {
    PaintPointBox(LstMeshes->ListIndex(), index);
}

void frmMain::picLine_Click(int16_t index) {
    PaintLineBox(LstMeshes->ListIndex(), index);
}

std::string frmMain::PointBoxTip(int16_t index) const {
    const Mesh* mesh = ChosenMeshWithPoint(LstMeshes->ListIndex(), index);
    if (!mesh) {
        return {};
    }
    const size_t i = static_cast<size_t>(index);
    return PointTipText(index, mesh->X[i], mesh->Y[i]);
}

std::string frmMain::LineBoxTip(int16_t index) const {
    const Mesh* mesh = ChosenMeshWithPoint(LstMeshes->ListIndex(), static_cast<int32_t>(index) + 1);
    if (!mesh || index < 0) {
        return {};
    }
    const size_t i = static_cast<size_t>(index);
    return LineTipText(index, mesh->X[i], mesh->Y[i], mesh->X[i + 1], mesh->Y[i + 1]);
}
