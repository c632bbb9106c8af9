#pragma once

#include <QObject>
#include <QPoint>

class QListWidget;
class QMouseEvent;
class QWidget;

namespace quillax {

// Reorders a list's entries by dragging one with the left button: a line shows where it would go, the
// list scrolls at its edges, and the release says where it went (Moved), leaving the entries as they
// are for their owner to change. The press chooses the entry, as a click does; while it is dragged,
// the choice stays.
class ListRowMover : public QObject {
    Q_OBJECT
public:
    explicit ListRowMover(QListWidget& list);

signals:
    // Entry `from` dropped so that it ends at index `to`, another index.
    void Moved(int from, int to);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Press(const QMouseEvent& mouse);
    bool Drag(const QMouseEvent& mouse);
    bool Release();
    // The gap before entry g (the count: after the last) nearest to a point of the viewport.
    int GapAt(QPoint at) const;
    void ShowGap(int gap);

    QListWidget& List;
    // Kept from the start: while the list is destroyed its viewport still sends events, and the list
    // can no longer be asked for it.
    QWidget* const Viewport;
    QWidget* GapLine;
    int From = -1;
    QPoint PressedAt;
    bool Moving = false;
    int Gap = -1;
};

} // namespace quillax
