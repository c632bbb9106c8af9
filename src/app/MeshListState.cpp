#include "app/MeshListState.h"

#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>

namespace quillax {

namespace {
// Two marks side by side, each in a square of this side.
constexpr int MarkSide = 14;

void PaintClosedEye(QPainter& painter, QRectF box) {
    QPainterPath eye;
    eye.moveTo(box.left() + 1, box.center().y());
    eye.quadTo(box.center().x(), box.top() - 1, box.right() - 1, box.center().y());
    eye.quadTo(box.center().x(), box.bottom() + 1, box.left() + 1, box.center().y());
    painter.drawPath(eye);
    painter.drawLine(QPointF(box.left() + 2, box.bottom() - 1), QPointF(box.right() - 2, box.top() + 1));
}

void PaintPadlock(QPainter& painter, QRectF box) {
    const QRectF body(box.left() + 2.5, box.center().y() - 0.5, box.width() - 5, box.height() / 2 - 1);
    painter.drawRect(body);
    painter.drawArc(QRectF(body.left() + 2, box.top() + 1.5, body.width() - 4, body.height() + 2), 0,
                    180 * 16);
}

bool Plain(MeshViewState state) {
    return state == MeshViewState{};
}
} // namespace

MeshListState::MeshListState(QListWidget& list, const ObjectDocument& document)
    : List(list), Document(document) {}

void MeshListState::Show() {
    std::vector<MeshViewState> states;
    for (int row = 0; row < List.count(); ++row) {
        states.push_back(Document.ViewStateOf(row));
    }
    const bool decorated = !std::all_of(states.begin(), states.end(), Plain);
    if (!decorated && !Decorated) {
        return;
    }
    Decorated = decorated;
    List.setIconSize(decorated ? QSize(2 * MarkSide, MarkSide) : QSize());
    for (int row = 0; row < List.count(); ++row) {
        QListWidgetItem* item = List.item(row);
        const MeshViewState state = states[static_cast<size_t>(row)];
        item->setIcon(decorated ? IconOf(state) : QIcon());
        item->setForeground(state.Hidden ? List.palette().brush(QPalette::Disabled, QPalette::Text)
                                         : QBrush());
        const QString says = state.Hidden && state.Locked ? "hidden and locked"
                             : state.Hidden               ? "hidden"
                             : state.Locked               ? "locked"
                                                          : QString();
        item->setToolTip(says.isEmpty() ? QString() : item->text() + " is " + says);
    }
}

QIcon MeshListState::IconOf(MeshViewState state) const {
    QPixmap marks(2 * MarkSide, MarkSide);
    marks.fill(Qt::transparent);
    QPainter painter(&marks);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(List.palette().color(QPalette::Text), 1.2));
    if (state.Hidden) {
        PaintClosedEye(painter, QRectF(0, 0, MarkSide, MarkSide));
    }
    if (state.Locked) {
        PaintPadlock(painter, QRectF(MarkSide, 0, MarkSide, MarkSide));
    }
    return QIcon(marks);
}

} // namespace quillax
