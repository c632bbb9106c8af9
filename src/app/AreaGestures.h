#pragma once

#include "app/HandlerGuard.h"
#include "app/Readout.h"
#include "document/ObjectDocument.h"
#include "gestures/MarkingGesture.h"
#include "gestures/NavigationGesture.h"
#include "gestures/PointEditGesture.h"
#include "view/MeshScene.h"

#include <QObject>
#include <QPoint>

#include <functional>
#include <optional>

class QRubberBand;
class QWidget;

namespace quillax {

class DrawingArea;
class DrawingAreaInput;

// The drawing area's gestures wired to its pointer and keys: moving around, marking, editing points,
// extending the chosen mesh (Ctrl+click), the rubber band, the readout's pointer line, and the
// window-wide keys of the view and the marks.
// Each runs through the window's handler guard. What a click stands for is the window's to do: a
// box's click or a choice in the mesh list.
class AreaGestures : public QObject {
public:
    AreaGestures(QWidget& window, DrawingArea& area, HandlerGuard& guard, ObjectDocument& document,
                 MeshScene& scene, Readout& status, const GridSnap& snap,
                 std::function<void(const ClickTarget&)> clicked);

private:
    void WireInput(DrawingAreaInput* input);
    void WireKeys(QWidget& window);
    void Click(QPoint at, Qt::KeyboardModifiers modifiers);
    // A double click's insert leaves the marks as they were before its first click.
    void DoubleClick(QPoint at);
    // A drag that grabbed no point draws a rubber band.
    void Dragged(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers);
    void DragEnded(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers);
    // A slot that runs `handler` with the signal's arguments through the guard.
    template <typename Handler> auto Guarded(Handler handler) {
        return [this, handler](auto... arguments) { Guard.Run([&] { handler(arguments...); }); };
    }

    HandlerGuard& Guard;
    ObjectDocument& Document;
    MeshScene& Scene;
    Readout& Status;
    const GridSnap& Snap;
    std::function<void(const ClickTarget&)> Clicked;
    NavigationGesture Navigation;
    MarkingGesture Marking;
    PointEditGesture PointEdits;
    QRubberBand* Band;
    // The mark the last click flipped: the first click of a double click, undone by the second.
    std::optional<ClickTarget> LastMarked;
};

} // namespace quillax
