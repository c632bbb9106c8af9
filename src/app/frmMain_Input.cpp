#include "app/frmMain.h"

#include "app/MarkerTips.h"
#include "app/PathText.h"
#include "browse/ListBox.h"
#include "document/DocumentEdits.h"
#include "drawingarea/DrawingArea.h"
#include "drawingarea/DrawingAreaInput.h"
#include "platform/Numeric.h"

#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QRubberBand>
#include <QShortcut>
#include <QUrl>

namespace quillax {

namespace {
// The one local object file a drag carries; none for anything else, so that a drop of many files or
// of something else is refused by the pointer's shape, never by a message box per file.
std::optional<std::string> DroppedObjectFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) {
        return std::nullopt;
    }
    const QUrl url = data->urls().front();
    if (!url.isLocalFile() || !url.fileName().endsWith(".lin", Qt::CaseInsensitive)) {
        return std::nullopt;
    }
    return PathBytes(url.toLocalFile());
}
} // namespace

void frmMain::WireDrawingArea() {
    auto* input = new DrawingAreaInput(picMain);
    Band = new QRubberBand(QRubberBand::Rectangle, picMain);
    input->SetTipSource([this](QPoint pixel) { return MarkerTipAt(Scene, pixel.x(), pixel.y()); });
    connect(input, &DrawingAreaInput::Clicked, this,
            [this](QPoint pixel) { RunHandler([this, pixel] { picMain_Click(pixel.x(), pixel.y()); }); });
    connect(input, &DrawingAreaInput::Wheeled, this, [this](int notches, QPointF position) {
        RunHandler([this, notches, position] { Navigation.Wheeled(notches, position); });
    });
    connect(input, &DrawingAreaInput::PanBegan, this, [this] { Navigation.PanBegan(); });
    connect(input, &DrawingAreaInput::Panned, this,
            [this](QPointF moved) { RunHandler([this, moved] { Navigation.Panned(moved); }); });
    connect(input, &DrawingAreaInput::DragBegan, this,
            [this](QPoint from) { RunHandler([this, from] { picMain_DragBegan(from); }); });
    connect(input, &DrawingAreaInput::DragMoved, this,
            [this](QPoint from, QPoint to) { RunHandler([=, this] { picMain_Dragged(from, to); }); });
    connect(input, &DrawingAreaInput::DragEnded, this,
            [this](QPoint from, QPoint to, Qt::KeyboardModifiers modifiers) {
                RunHandler([=, this] { picMain_DragEnded(from, to, modifiers); });
            });
    connect(input, &DrawingAreaInput::DoubleClicked, this, [this](QPoint pixel) {
        RunHandler([this, pixel] { PointEdits.DoubleClicked(pixel.x(), pixel.y()); });
    });
    connect(input, &DrawingAreaInput::Nudged, this,
            [this](int dx, int dy) { RunHandler([this, dx, dy] { NudgeMarkedPoints(Open, dx, dy); }); });
    connect(input, &DrawingAreaInput::DeletePressed, this,
            [this] { RunHandler([this] { DeleteMarkedPoints(Open); }); });
    connect(input, &DrawingAreaInput::PointerMoved, this,
            [this](QPointF position) { Status->PointerAt(position); });
    connect(input, &DrawingAreaInput::PointerLeft, this, [this] { Status->PointerAt(std::nullopt); });
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
    const auto route = [this](QKeySequence keys, auto handler) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this,
                [this, handler] { RunHandler(handler); });
    };
    route(Qt::Key_Home, [this] { Navigation.FitView(); });
    route(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { Navigation.StartView(); });
    route(QKeySequence::SelectAll, [this] { Marking.MarkAll(); });
    route(Qt::Key_Escape, [this] { Marking.ClearMarks(); });
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
void frmMain::picMain_Click(int32_t x, int32_t y) {
    const std::optional<ClickTarget> target = Marking.ClickAt(x, y);
    if (!target) {
        return;
    }
    switch (target->What) {
    case ClickTarget::Kind::Point:
        picPoint_Click(CheckedInt16(target->Index));
        break;
    case ClickTarget::Kind::Line:
        picLine_Click(CheckedInt16(target->Index));
        break;
    case ClickTarget::Kind::Mesh:
        LstMeshes->SetListIndex(CheckedInt16(target->Index));
        break;
    }
}

void frmMain::picMain_DragBegan(QPoint from) {
    PointEdits.DragBegan(from);
}

// A drag that grabbed no point draws a rubber band.
void frmMain::picMain_Dragged(QPoint from, QPoint to) {
    if (PointEdits.IsDragging()) {
        PointEdits.Dragged(from, to);
        return;
    }
    Band->setGeometry(QRect(from, to).normalized());
    Band->show();
}

void frmMain::picMain_DragEnded(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers) {
    Band->hide();
    if (PointEdits.IsDragging()) {
        PointEdits.DragEnded(from, to);
        return;
    }
    Marking.Band(from, to, modifiers.testFlag(Qt::ShiftModifier));
}

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (DroppedObjectFile(event->mimeData())) {
        event->acceptProposedAction();
    }
}

void frmMain::dropEvent(QDropEvent* event) {
    const std::optional<std::string> file = DroppedObjectFile(event->mimeData());
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
