#pragma once

#include "view/WheelNotches.h"

#include <QObject>
#include <QPoint>
#include <QPointF>

#include <functional>
#include <optional>
#include <string>

class QMouseEvent;
class QWidget;

namespace quillax {

// What the pointer and the keyboard do in the drawing area, as the window wants it: clicks with the
// pixel they landed on, left drags, pans (the middle button, or the left one while Space is held),
// whole wheel notches where the pointer is, the pointer's moves, and tooltips asked of a source by
// pixel. It watches the area's events and leaves everything else to the area.
class DrawingAreaInput : public QObject {
    Q_OBJECT
public:
    explicit DrawingAreaInput(QWidget* area);

    // Where a tooltip comes from; an empty text shows none.
    void SetTipSource(std::function<std::string(QPoint)> source) { TipSource = std::move(source); }

    // The whole pixel under a pointer position, at any device pixel ratio.
    static QPoint PixelAt(const QPointF& position);

signals:
    // A left press and release close together: the pixel of the press, and the keys held.
    void Clicked(QPoint pixel, Qt::KeyboardModifiers modifiers);
    // A left press that moved further than a click: where it began, then from the pixel of the press
    // to the pixel under the pointer, as it moves and once more when the button is released, with
    // the keys held.
    void DragBegan(QPoint from);
    void DragMoved(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers);
    void DragEnded(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers);
    // The picture follows the pointer: the distance it moved since the pan began, in pixels.
    void PanBegan();
    void Panned(QPointF moved);
    // Whole notches at a pointer position, positive when the wheel turns away from the user.
    void Wheeled(int notches, QPointF position);
    // A left double click: the pixel of its second press, which is no click of its own.
    void DoubleClicked(QPoint pixel);
    // Keys while the area has the focus: an arrow, one step (ten with Shift) in its direction; Delete.
    void Nudged(int dx, int dy);
    void DeletePressed();
    // The pointer over the area, or gone from it.
    void PointerMoved(QPointF position);
    void PointerLeft();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Gesture { None, Press, Drag, Pan };

    bool Press(QMouseEvent* mouse);
    bool DoubleClick(QMouseEvent* mouse);
    bool Move(QMouseEvent* mouse);
    bool Release(QMouseEvent* mouse);
    bool Wheel(QEvent* event);
    bool Tip(QEvent* event);
    bool SpaceKey(QEvent* event, bool held);
    bool EditKey(QEvent* event);
    void ShowHand();

    QWidget* Area;
    std::function<std::string(QPoint)> TipSource;
    WheelNotches Notches;
    Gesture Now = Gesture::None;
    Qt::MouseButton Button = Qt::NoButton;
    QPointF PressedAt;
    bool SpaceHeld = false;
};

} // namespace quillax
