#include "app/frmMain.h"

#include "browse/ListBox.h"
#include "platform/Numeric.h"

#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QPushButton>
#include <QShortcut>

namespace quillax {

void frmMain::WireDrawingArea() {
    Gestures = std::make_unique<AreaGestures>(*this, *picMain, Guard, Open, Scene, *Status,
                                              [this](const ClickTarget& target) { picMain_Click(target); });
}

// Each key presses its button, so the button's own handler runs through the same guard. The
// single keys are characters that no "Mesh N" entry holds, so they never take a key from the mesh
// list's type-to-find search and can stay on while the list has the focus.
void frmMain::WireShortcuts() {
    const auto press = [this](QKeySequence keys, QAbstractButton* button) {
        connect(new QShortcut(keys, this), &QShortcut::activated, button, &QAbstractButton::click);
    };
    press(Qt::Key_Plus, cmdScaleUp);
    press(Qt::Key_Equal, cmdScaleUp);
    press(Qt::Key_Minus, cmdScaleDown);
    press(Qt::Key_G, chkGrid);
    press(Qt::Key_BracketLeft, cmdGridSpaceDec);
    press(Qt::Key_BracketRight, cmdGridSpaceInc);
    press(Qt::Key_F5, cmdRefresh);
    press(QKeySequence(Qt::CTRL | Qt::Key_L), cmdLoadFile);
    cmdScaleUp->setToolTip("Zoom in (+ or =, wheel up)");
    cmdScaleDown->setToolTip("Zoom out (-, wheel down)");
    chkGrid->setToolTip("Show or hide the grid (G)");
    cmdGridSpaceDec->setToolTip("Closer grid lines ([)");
    cmdGridSpaceInc->setToolTip("Wider grid lines (])");
    cmdRefresh->setToolTip("Redraw (F5)");
    cmdLoadFile->setToolTip("Load the object (Ctrl+L)");
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
            LoadObject(*file);
        }
    });
}

} // namespace quillax
