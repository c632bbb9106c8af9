#include "drawingarea/DrawingArea.h"

#include "view/MarkerPainter.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

#include <cstring>

namespace quillax {

DrawingArea::DrawingArea(const NodePool& nodes, const JointPool& joints, QWidget* parent)
    : QWidget(parent), Nodes(nodes), Joints(joints), Canvas(width(), height()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

uint32_t DrawingArea::hDC() {
    // Before the window is first shown, a new size reaches the widget ahead of its resize event;
    // what is drawn now must land on a background of the size the area already has.
    Canvas.Resize(width(), height());
    return Canvas.hDC();
}

void DrawingArea::Cls() {
    Canvas.FillBlack();
}

void DrawingArea::Refresh() {
    update();
}

void DrawingArea::paintEvent(QPaintEvent* event) {
    const QImage background = Canvas.Image();
    if (Picture.size() != background.size() || Picture.format() != background.format()) {
        Picture = QImage(background.size(), background.format());
    }
    if (!background.isNull()) {
        std::memcpy(Picture.bits(), background.constBits(), static_cast<size_t>(background.sizeInBytes()));
    }
    {
        QPainter onPicture(&Picture);
        PaintMarkers(onPicture, Nodes, Joints);
    }
    QPainter painter(this);
    // On a denser screen each pixel of the picture becomes a whole block of device pixels, never a blur.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(event->rect(), Picture, event->rect());
}

void DrawingArea::resizeEvent(QResizeEvent*) {
    Canvas.Resize(width(), height());
}

} // namespace quillax
