#include "app/AreaGestures.h"

#include "app/MarkerTips.h"
#include "document/DocumentEdits.h"
#include "document/StructureEdits.h"
#include "drawingarea/DrawingArea.h"
#include "drawingarea/DrawingAreaInput.h"
#include "view/ViewNavigation.h"

#include <QRubberBand>
#include <QShortcut>

#include <utility>

namespace quillax {

AreaGestures::AreaGestures(QWidget& window, DrawingArea& area, HandlerGuard& guard, ObjectDocument& document,
                           MeshScene& scene, Readout& status, const GridSnap& snap,
                           std::function<void(const ClickTarget&)> clicked)
    : QObject(&window), Guard(guard), Document(document), Scene(scene), Status(status), Snap(snap),
      Clicked(std::move(clicked)), Navigation(scene), Marking(document, scene),
      PointEdits(document, scene, snap), Band(new QRubberBand(QRubberBand::Rectangle, &area)) {
    WireInput(new DrawingAreaInput(&area));
    WireKeys(window);
}

void AreaGestures::WireInput(DrawingAreaInput* input) {
    using Input = DrawingAreaInput;
    input->SetTipSource([this](QPoint pixel) { return MarkerTipAt(Scene, pixel.x(), pixel.y()); });
    connect(input, &Input::Clicked, this,
            Guarded([this](QPoint at, Qt::KeyboardModifiers keys) { Click(at, keys); }));
    connect(input, &Input::Wheeled, this, Guarded([this](int n, QPointF at) { Navigation.Wheeled(n, at); }));
    connect(input, &Input::PanBegan, this, [this] { Navigation.PanBegan(); });
    connect(input, &Input::Panned, this, Guarded([this](QPointF moved) { Navigation.Panned(moved); }));
    connect(input, &Input::DragBegan, this, Guarded([this](QPoint from) { PointEdits.DragBegan(from); }));
    connect(input, &Input::DragMoved, this,
            Guarded([this](QPoint from, QPoint to, Qt::KeyboardModifiers keys) { Dragged(from, to, keys); }));
    connect(
        input, &Input::DragEnded, this,
        Guarded([this](QPoint from, QPoint to, Qt::KeyboardModifiers keys) { DragEnded(from, to, keys); }));
    connect(input, &Input::DoubleClicked, this, Guarded([this](QPoint at) { DoubleClick(at); }));
    connect(input, &Input::Nudged, this, Guarded([this](int dx, int dy) {
                const double step = Snap.Step(Scene.GridSpacing);
                NudgeMarkedPoints(Document, dx * step, dy * step);
            }));
    connect(input, &Input::DeletePressed, this, Guarded([this] { DeleteMarkedPoints(Document); }));
    connect(input, &Input::PointerMoved, this, [this](QPointF position) { Status.PointerAt(position); });
    connect(input, &Input::PointerLeft, this, [this] { Status.PointerAt(std::nullopt); });
}

void AreaGestures::WireKeys(QWidget& window) {
    const auto route = [this, &window](QKeySequence keys, auto handler) {
        connect(new QShortcut(keys, &window), &QShortcut::activated, this, Guarded(handler));
    };
    route(Qt::Key_Home, [this] { Navigation.FitView(); });
    route(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { Navigation.StartView(); });
    route(QKeySequence::SelectAll, [this] { Marking.MarkAll(); });
    route(Qt::Key_Escape, [this] { Marking.ClearMarks(); });
}

// A click with Ctrl held where it finds nothing draws the chosen mesh on from its marked end.
void AreaGestures::Click(QPoint at, Qt::KeyboardModifiers modifiers) {
    const std::optional<ClickTarget> target = Marking.ClickAt(at.x(), at.y());
    LastMarked.reset();
    if (target && target->What != ClickTarget::Kind::Mesh) {
        LastMarked = target;
    }
    if (target) {
        Clicked(*target);
    } else if (modifiers.testFlag(Qt::ControlModifier) &&
               !Document.ViewStateOf(Document.ChosenMesh()).Hidden) {
        const ModelPoint point = Snap.Placed(ScreenToModel(Scene.View(), at.x(), at.y()), Scene.GridSpacing);
        ExtendChosenMesh(Document, static_cast<float>(point.X), static_cast<float>(point.Y));
    }
}

void AreaGestures::DoubleClick(QPoint at) {
    if (const std::optional<ClickTarget> marked = std::exchange(LastMarked, std::nullopt)) {
        Clicked(*marked);
    }
    PointEdits.DoubleClicked(at.x(), at.y());
}

void AreaGestures::Dragged(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers) {
    if (PointEdits.IsDragging()) {
        PointEdits.Dragged(from, to, modifiers);
        Status.DragMoved(PointEdits.Moved());
        return;
    }
    Band->setGeometry(QRect(from, to).normalized());
    Band->show();
}

void AreaGestures::DragEnded(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers) {
    Band->hide();
    if (PointEdits.IsDragging()) {
        Status.DragMoved(std::nullopt);
        PointEdits.DragEnded(from, to, modifiers);
        return;
    }
    Marking.Band(from, to, modifiers.testFlag(Qt::ShiftModifier));
}

} // namespace quillax
