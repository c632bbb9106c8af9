#include "SelectorStrip.h"

#include <QMouseEvent>
#include <QPainter>

SelectorStrip::SelectorStrip(const ElementArray<BoxElement>& boxes, QWidget* parent)
    : QWidget(parent), Boxes(boxes) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

int16_t BoxAt(const ElementArray<BoxElement>& boxes, double x, double y) {
    for (int16_t i = 0; i < boxes.Count(); ++i) {
        const BoxElement& box = boxes(i);
        if (box.Visible && x >= box.Left && x < box.Left + box.Width && y >= box.Top &&
            y < box.Top + box.Height) {
            return i;
        }
    }
    return -1;
}

void SelectorStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    for (const BoxElement& box : Boxes) {
        if (box.Visible) {
            const int32_t c = box.BackColor;
            painter.fillRect(QRectF(box.Left, box.Top, box.Width, box.Height),
                             QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
        }
    }
}

void SelectorStrip::mousePressEvent(QMouseEvent* event) {
    const int16_t index = BoxAt(Boxes, event->position().x(), event->position().y());
    if (index >= 0) {
        emit BoxClicked(index);
    }
}
