#include "drawingarea/DrawingAreaInput.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QWheelEvent>
#include <QWidget>

#include <cmath>

namespace quillax {

namespace {
// A tip stays up while the pointer stays this close to where it was asked for.
constexpr int TipReach = 2;

bool FurtherThanAClick(const QPointF& from, const QPointF& to) {
    return (to - from).manhattanLength() > QApplication::startDragDistance();
}
} // namespace

DrawingAreaInput::DrawingAreaInput(QWidget* area) : QObject(area), Area(area) {
    area->setMouseTracking(true);
    area->installEventFilter(this);
}

QPoint DrawingAreaInput::PixelAt(const QPointF& position) {
    return {static_cast<int>(std::floor(position.x())), static_cast<int>(std::floor(position.y()))};
}

bool DrawingAreaInput::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Area) {
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return Press(static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonDblClick:
        return DoubleClick(static_cast<QMouseEvent*>(event));
    case QEvent::MouseMove:
        return Move(static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonRelease:
        return Release(static_cast<QMouseEvent*>(event));
    case QEvent::Wheel:
        return Wheel(event);
    case QEvent::ToolTip:
        return Tip(event);
    case QEvent::KeyPress:
        return SpaceKey(event, true) || EditKey(event);
    case QEvent::KeyRelease:
        return SpaceKey(event, false);
    case QEvent::FocusOut:
        SpaceHeld = false;
        ShowHand();
        return false;
    case QEvent::Leave:
        emit PointerLeft();
        return false;
    default:
        return false;
    }
}

bool DrawingAreaInput::Press(QMouseEvent* mouse) {
    const bool pan = mouse->button() == Qt::MiddleButton || (mouse->button() == Qt::LeftButton && SpaceHeld);
    if (Now != Gesture::None || (!pan && mouse->button() != Qt::LeftButton)) {
        return false;
    }
    Button = mouse->button();
    PressedAt = mouse->position();
    Now = pan ? Gesture::Pan : Gesture::Press;
    if (pan) {
        ShowHand();
        emit PanBegan();
    }
    return pan;
}

bool DrawingAreaInput::Move(QMouseEvent* mouse) {
    emit PointerMoved(mouse->position());
    if (Now == Gesture::Pan) {
        emit Panned(mouse->position() - PressedAt);
        return true;
    }
    if (Now == Gesture::Press && FurtherThanAClick(PressedAt, mouse->position())) {
        Now = Gesture::Drag;
        emit DragBegan(PixelAt(PressedAt));
    }
    if (Now == Gesture::Drag) {
        emit DragMoved(PixelAt(PressedAt), PixelAt(mouse->position()), mouse->modifiers());
    }
    return false;
}

bool DrawingAreaInput::Release(QMouseEvent* mouse) {
    if (Now == Gesture::None || mouse->button() != Button) {
        return false;
    }
    const Gesture ended = Now;
    Now = Gesture::None;
    switch (ended) {
    case Gesture::Pan:
        emit Panned(mouse->position() - PressedAt);
        ShowHand();
        return true;
    case Gesture::Drag:
        emit DragEnded(PixelAt(PressedAt), PixelAt(mouse->position()), mouse->modifiers());
        return false;
    default:
        if (!FurtherThanAClick(PressedAt, mouse->position())) {
            emit Clicked(PixelAt(PressedAt), mouse->modifiers());
        }
        return false;
    }
}

// The first click of a double click has been a click; the second press is the double click alone.
bool DrawingAreaInput::DoubleClick(QMouseEvent* mouse) {
    if (mouse->button() != Qt::LeftButton || SpaceHeld || Now != Gesture::None) {
        return Press(mouse);
    }
    emit DoubleClicked(PixelAt(mouse->position()));
    return true;
}

bool DrawingAreaInput::Wheel(QEvent* event) {
    const auto* wheel = static_cast<QWheelEvent*>(event);
    const int notches = Notches.Add(wheel->angleDelta().y());
    if (notches != 0) {
        emit Wheeled(notches, wheel->position());
    }
    return true;
}

bool DrawingAreaInput::Tip(QEvent* event) {
    const auto* help = static_cast<QHelpEvent*>(event);
    const std::string text = TipSource ? TipSource(help->pos()) : std::string();
    if (text.empty()) {
        QToolTip::hideText();
    } else {
        const QRect reach(help->pos() - QPoint(TipReach, TipReach),
                          QSize(2 * TipReach + 1, 2 * TipReach + 1));
        QToolTip::showText(help->globalPos(), QString::fromStdString(text), Area, reach);
    }
    return true;
}

// Space held down turns a left drag into a pan, as in most drawing programs.
bool DrawingAreaInput::SpaceKey(QEvent* event, bool held) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Space || key->modifiers() != Qt::NoModifier) {
        return false;
    }
    if (!key->isAutoRepeat()) {
        SpaceHeld = held;
        ShowHand();
    }
    return true;
}

bool DrawingAreaInput::EditKey(QEvent* event) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & ~Qt::ShiftModifier & ~Qt::KeypadModifier) != Qt::NoModifier) {
        return false;
    }
    const int step = key->modifiers().testFlag(Qt::ShiftModifier) ? 10 : 1;
    switch (key->key()) {
    case Qt::Key_Left:
        emit Nudged(-step, 0);
        return true;
    case Qt::Key_Right:
        emit Nudged(step, 0);
        return true;
    case Qt::Key_Up:
        emit Nudged(0, -step);
        return true;
    case Qt::Key_Down:
        emit Nudged(0, step);
        return true;
    case Qt::Key_Delete:
        emit DeletePressed();
        return true;
    default:
        return false;
    }
}

void DrawingAreaInput::ShowHand() {
    if (Now == Gesture::Pan) {
        Area->setCursor(Qt::ClosedHandCursor);
    } else if (SpaceHeld) {
        Area->setCursor(Qt::OpenHandCursor);
    } else {
        Area->unsetCursor();
    }
}

} // namespace quillax
