#include "browse/ListRowMover.h"

#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QScrollBar>

namespace quillax {

ListRowMover::ListRowMover(QListWidget& list)
    : QObject(&list), List(list), Viewport(list.viewport()), GapLine(new QWidget(Viewport)) {
    GapLine->setObjectName("MoveGapLine");
    GapLine->setAutoFillBackground(true);
    GapLine->setBackgroundRole(QPalette::Highlight);
    GapLine->hide();
    Viewport->installEventFilter(this);
}

bool ListRowMover::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Viewport) {
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return Press(static_cast<const QMouseEvent&>(*event));
    case QEvent::MouseMove:
        return Drag(static_cast<const QMouseEvent&>(*event));
    case QEvent::MouseButtonRelease:
        return Release();
    default:
        return false;
    }
}

// The list's own press chooses the entry.
bool ListRowMover::Press(const QMouseEvent& mouse) {
    From = mouse.button() == Qt::LeftButton ? List.indexAt(mouse.position().toPoint()).row() : -1;
    PressedAt = mouse.position().toPoint();
    return false;
}

// While the button is held the list sees no move, so the choice stays on the dragged entry.
bool ListRowMover::Drag(const QMouseEvent& mouse) {
    if (From < 0 || !mouse.buttons().testFlag(Qt::LeftButton)) {
        return false;
    }
    const QPoint at = mouse.position().toPoint();
    if (!Moving && (at - PressedAt).manhattanLength() > QApplication::startDragDistance()) {
        Moving = true;
        Viewport->setCursor(Qt::DragMoveCursor);
    }
    if (Moving) {
        QScrollBar* bar = List.verticalScrollBar();
        if (at.y() < 0) {
            bar->setValue(bar->value() - bar->singleStep());
        } else if (at.y() >= Viewport->height()) {
            bar->setValue(bar->value() + bar->singleStep());
        }
        ShowGap(GapAt(at));
    }
    return true;
}

bool ListRowMover::Release() {
    const int from = From;
    const int gap = Gap;
    const bool moved = Moving;
    From = -1;
    Gap = -1;
    Moving = false;
    GapLine->hide();
    Viewport->unsetCursor();
    const int to = gap > from ? gap - 1 : gap;
    if (moved && gap >= 0 && to != from) {
        emit Moved(from, to);
    }
    return false;
}

int ListRowMover::GapAt(QPoint at) const {
    const int count = List.count();
    if (count == 0) {
        return 0;
    }
    const QRect first = List.visualItemRect(List.item(0));
    if (at.y() < first.top()) {
        return 0;
    }
    const int row = List.indexAt(QPoint(first.center().x(), at.y())).row();
    if (row < 0) {
        return count;
    }
    return at.y() > List.visualItemRect(List.item(row)).center().y() ? row + 1 : row;
}

void ListRowMover::ShowGap(int gap) {
    Gap = gap;
    const int count = List.count();
    if (count == 0) {
        GapLine->hide();
        return;
    }
    const int y = gap < count ? List.visualItemRect(List.item(gap)).top()
                              : List.visualItemRect(List.item(count - 1)).bottom() + 1;
    GapLine->setGeometry(0, y - 1, Viewport->width(), 2);
    GapLine->show();
    GapLine->raise();
}

} // namespace quillax
