#include "app/frmMain.h"

#include "app/ButtonKeys.h"
#include "browse/ListBox.h"
#include "platform/Numeric.h"

#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QPushButton>

namespace quillax {

void frmMain::WireDrawingArea() {
    Gestures = std::make_unique<AreaGestures>(*this, *picMain, Guard, Open, Scene, *Status, Snap,
                                              [this](const ClickTarget& target) { picMain_Click(target); });
}

// Each key presses its button, so the button's own handler runs through the same guard. The
// single keys are characters that no "Mesh N" entry holds, so they never take a key from the mesh
// list's type-to-find search and can stay on while the list has the focus.
void frmMain::WireShortcuts() {
    GiveKeys(*this, cmdScaleUp, {Qt::Key_Plus, Qt::Key_Equal}, "Zoom in (+ or =, wheel up)");
    GiveKeys(*this, cmdScaleDown, {Qt::Key_Minus}, "Zoom out (-, wheel down)");
    GiveKeys(*this, chkGrid, {Qt::Key_G}, "Show or hide the grid (G)");
    GiveKeys(*this, cmdGridSpaceDec, {Qt::Key_BracketLeft}, "Closer grid lines ([)");
    GiveKeys(*this, cmdGridSpaceInc, {Qt::Key_BracketRight}, "Wider grid lines (])");
    GiveKeys(*this, cmdRefresh, {Qt::Key_F5}, "Redraw (F5)");
    GiveKeys(*this, cmdLoadFile, {QKeySequence(Qt::CTRL | Qt::Key_L)}, "Load the object (Ctrl+L)");
}

// Exactly a click on the box of the point or line found; on a marker of another mesh, exactly choosing
// that mesh in the list.
void frmMain::picMain_Click(const ClickTarget& target) {
    switch (target.What) {
    case ClickTarget::Kind::Point:
        picPoint_Click(CheckedInt16(target.Index));
        break;
    case ClickTarget::Kind::Line:
        picLine_Click(CheckedInt16(target.Index));
        break;
    case ClickTarget::Kind::Mesh:
        LstMeshes->SetListIndex(CheckedInt16(target.Index));
        break;
    }
}

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (FileCommands::DroppedObjectFile(event->mimeData())) {
        event->acceptProposedAction();
    }
}

void frmMain::dropEvent(QDropEvent* event) {
    const std::optional<std::string> file = FileCommands::DroppedObjectFile(event->mimeData());
    if (!file) {
        return;
    }
    event->acceptProposedAction();
    RunHandler([this, &file] {
        if (Files->ChangesMayGo()) {
            OpenObject(*file);
        }
    });
}

} // namespace quillax
