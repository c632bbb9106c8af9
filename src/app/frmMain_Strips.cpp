#include "frmMain.h"

#include "ListBox.h"
#include "modObjects.h"

namespace {
// Grows a strip by one box; true when a new box was created (the layout then runs).
bool GrowStrip(ElementArray<BoxElement>& strip, int32_t unselectedColour) {
    if (strip.IsEmpty()) {
        strip(0).Visible = true;
        return false;
    }
    const int16_t index = strip.Count();
    strip.Load(index);
    strip(index).BackColor = unselectedColour;
    strip(index).Visible = true;
    return true;
}

void ShrinkStrip(ElementArray<BoxElement>& strip) {
    if (strip.Count() > 1) {
        strip.Unload(strip.Count() - 1);
    } else {
        strip(0).Visible = false;
    }
}

// Flips one flag and colours its box; the indices are checked before anything changes.
void ToggleBox(std::vector<int16_t>& flags, int16_t index, ElementArray<BoxElement>& strip,
               int32_t unselectedColour, int32_t selectedColour) {
    if (index < 0 || static_cast<size_t>(index) >= flags.size() || !strip.Exists(index)) {
        RaiseError(ErrNo::SubscriptOutOfRange, "box " + std::to_string(index));
    }
    int16_t& flag = flags[static_cast<size_t>(index)];
    strip(index).BackColor = flag != 0 ? unselectedColour : selectedColour;
    flag = flag != 0 ? 0 : -1;
}

MeshSelection& SelectionOf(int16_t meshIndex) {
    if (meshIndex < 0 || static_cast<size_t>(meshIndex) >= CurrentPlacement.Selections.size()) {
        RaiseError(ErrNo::SubscriptOutOfRange, "mesh " + std::to_string(meshIndex));
    }
    return CurrentPlacement.Selections[static_cast<size_t>(meshIndex)];
}
} // namespace

void frmMain::LoadPointBoxes() {
    if (GrowStrip(picPoint, 128)) {
        ArrangePanels();
    }
}

void frmMain::LoadLineBoxes() {
    if (GrowStrip(picLine, 32768)) {
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
    ToggleBox(SelectionOf(meshIndex).PointFlags, pointIndex, picPoint, 128, 33023);
    RedrawView();
}

void frmMain::PaintLineBox(int16_t meshIndex, int16_t lineIndex) {
    ToggleBox(SelectionOf(meshIndex).LineFlags, lineIndex, picLine, 32768, 12288000);
    RedrawView();
}

void frmMain::picPoint_Click(int16_t index) {
    PaintPointBox(LstMeshes->ListIndex(), index);
}

void frmMain::picLine_Click(int16_t index) {
    PaintLineBox(LstMeshes->ListIndex(), index);
}
