#include "drawingarea/DrawingAreaInput.h"

#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QWheelEvent>
#include <QWidget>

#include <cmath>

namespace quillax {

namespace {
// A tip stays up while the pointer stays this close to where it was asked for.
constexpr int TipReach = 2;
} // namespace

DrawingAreaInput::DrawingAreaInput(QWidget* area) : QObject(area), Area(area) {
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
    case QEvent::MouseButtonDblClick:
        return Press(event);
    case QEvent::MouseButtonRelease:
        return Release(event);
    case QEvent::Wheel:
        return Wheel(event);
    case QEvent::ToolTip:
        return Tip(event);
    default:
        return false;
    }
}

// A double click is two clicks: the second press arrives as a double-click event.
bool DrawingAreaInput::Press(QEvent* event) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton) {
        return false;
    }
    PressedAt = mouse->position();
    return false;
}

bool DrawingAreaInput::Release(QEvent* event) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton || !PressedAt) {
        return false;
    }
    const QPointF pressed = *PressedAt;
    PressedAt.reset();
    if ((mouse->position() - pressed).manhattanLength() <= QApplication::startDragDistance()) {
        emit Clicked(PixelAt(pressed));
    }
    return false;
}

bool DrawingAreaInput::Wheel(QEvent* event) {
    const int notches = Notches.Add(static_cast<QWheelEvent*>(event)->angleDelta().y());
    if (notches != 0) {
        emit Wheeled(notches);
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

} // namespace quillax
