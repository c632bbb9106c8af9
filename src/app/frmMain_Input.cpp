#include "app/frmMain.h"

#include "browse/ListBox.h"
#include "browse/StripTips.h"
#include "drawingarea/DrawingArea.h"
#include "drawingarea/DrawingAreaInput.h"
#include "objects/modObjects.h"
#include "platform/Numeric.h"
#include "view/MarkerHitTest.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRubberBand>
#include <QShortcut>

#include <cstdlib>

namespace quillax {

namespace {
// The mesh when it has a point at index, else none.
const Mesh* MeshWithPoint(int32_t meshIndex, int64_t index) {
    if (meshIndex < 0 || meshIndex >= static_cast<int32_t>(CurrentObject.Meshes.size())) {
        return nullptr;
    }
    const Mesh& mesh = CurrentObject.Meshes[static_cast<size_t>(meshIndex)];
    const bool has = index >= 0 && static_cast<size_t>(index) < std::min(mesh.X.size(), mesh.Y.size());
    return has ? &mesh : nullptr;
}
} // namespace

void frmMain::WireDrawingArea() {
    auto* input = new DrawingAreaInput(picMain);
    Band = new QRubberBand(QRubberBand::Rectangle, picMain);
    input->SetTipSource([this](QPoint pixel) { return MarkerTip(pixel.x(), pixel.y()); });
    connect(input, &DrawingAreaInput::Clicked, this,
            [this](QPoint pixel) { RunHandler([this, pixel] { picMain_Click(pixel.x(), pixel.y()); }); });
    connect(input, &DrawingAreaInput::Wheeled, this, [this](int notches, QPointF position) {
        RunHandler([this, notches, position] { picMain_Wheel(notches, position); });
    });
    connect(input, &DrawingAreaInput::PanBegan, this, [this] { picMain_PanBegan(); });
    connect(input, &DrawingAreaInput::Panned, this,
            [this](QPointF moved) { RunHandler([this, moved] { picMain_Panned(moved); }); });
    connect(input, &DrawingAreaInput::DragBegan, this,
            [this](QPoint from) { RunHandler([this, from] { picMain_DragBegan(from); }); });
    connect(input, &DrawingAreaInput::DragMoved, this,
            [this](QPoint from, QPoint to) { RunHandler([=, this] { picMain_Dragged(from, to); }); });
    connect(input, &DrawingAreaInput::DragEnded, this,
            [this](QPoint from, QPoint to, Qt::KeyboardModifiers modifiers) {
                RunHandler([=, this] { picMain_DragEnded(from, to, modifiers); });
            });
    connect(input, &DrawingAreaInput::DoubleClicked, this, [this](QPoint pixel) {
        RunHandler([this, pixel] { picMain_DoubleClick(pixel.x(), pixel.y()); });
    });
    connect(input, &DrawingAreaInput::Nudged, this,
            [this](int dx, int dy) { RunHandler([this, dx, dy] { picMain_Nudge(dx, dy); }); });
    connect(input, &DrawingAreaInput::DeletePressed, this,
            [this] { RunHandler([this] { DeleteMarkedPoints(); }); });
    connect(input, &DrawingAreaInput::PointerMoved, this, [this](QPointF position) {
        PointerAt = position;
        ShowPointer();
    });
    connect(input, &DrawingAreaInput::PointerLeft, this, [this] {
        PointerAt.reset();
        ShowPointer();
    });
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
    Route(new QShortcut(Qt::Key_Home, this), &QShortcut::activated, &frmMain::FitView);
    Route(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_0), this), &QShortcut::activated,
          &frmMain::StartView);
    Route(new QShortcut(QKeySequence::SelectAll, this), &QShortcut::activated, &frmMain::MarkAll);
    Route(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, &frmMain::ClearMarks);
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
    const MarkerRange range = ChosenMarkers();
    const std::optional<MarkerHit> hit = HitIn(range, x, y);
    if (!hit) {
        const std::optional<MarkerHit> other = HitIn(AllMarkers(Scene.Node, Scene.Joint), x, y);
        const std::optional<MeshItem> item = other ? MeshItemOf(CurrentObject, *other) : std::nullopt;
        if (item) {
            LstMeshes->SetListIndex(CheckedInt16(item->Mesh));
        }
        return;
    }
    if (hit->Kind == MarkerKind::Point) {
        picPoint_Click(CheckedInt16(hit->Index - range.FirstNode));
    } else {
        picLine_Click(CheckedInt16(hit->Index - range.FirstJoint));
    }
}

std::string frmMain::MarkerTip(int32_t x, int32_t y) const {
    std::optional<MarkerHit> hit = HitIn(ChosenMarkers(), x, y);
    if (!hit) {
        hit = HitIn(AllMarkers(Scene.Node, Scene.Joint), x, y);
    }
    const std::optional<MeshItem> item = hit ? MeshItemOf(CurrentObject, *hit) : std::nullopt;
    if (!item) {
        return {};
    }
    return hit->Kind == MarkerKind::Point ? PointTip(item->Mesh, item->Index)
                                          : LineTip(item->Mesh, item->Index);
}

MarkerRange frmMain::ChosenMarkers() const {
    return MarkersOfMesh(CurrentObject, LstMeshes->ListIndex(), Scene.Node, Scene.Joint);
}

std::optional<MarkerHit> frmMain::HitIn(const MarkerRange& range, int32_t x, int32_t y) const {
    return HitMarker(Scene.Node, Scene.Joint, range, x, y, MarkerHitRadius);
}

std::optional<int32_t> frmMain::ChosenMesh() const {
    const int32_t chosen = LstMeshes->ListIndex();
    if (chosen < 0 || chosen >= MeshCountOf(CurrentObject)) {
        return std::nullopt;
    }
    return chosen;
}

std::string frmMain::PointTip(int32_t meshIndex, int32_t index) const {
    const Mesh* mesh = MeshWithPoint(meshIndex, index);
    if (!mesh) {
        return {};
    }
    const size_t i = static_cast<size_t>(index);
    return PointTipText(meshIndex, index, mesh->X[i], mesh->Y[i]);
}

std::string frmMain::LineTip(int32_t meshIndex, int32_t index) const {
    const Mesh* mesh = MeshWithPoint(meshIndex, static_cast<int64_t>(index) + 1);
    if (!mesh || index < 0) {
        return {};
    }
    const size_t i = static_cast<size_t>(index);
    return LineTipText(meshIndex, index, mesh->X[i], mesh->Y[i], mesh->X[i + 1], mesh->Y[i + 1]);
}

} // namespace quillax
