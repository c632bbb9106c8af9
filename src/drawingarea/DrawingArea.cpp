#include "drawingarea/DrawingArea.h"

#include <QPaintEvent>
#include <QPainter>

namespace quillax {

DrawingArea::DrawingArea(MeshScene& scene, QWidget* parent) : QWidget(parent), Shown(scene) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void DrawingArea::Refresh() {
    update();
}

void DrawingArea::paintEvent(QPaintEvent* event) {
    Shown.Render(Picture, event->rect());
    QPainter painter(this);
    // On a denser screen each pixel of the picture becomes a whole block of device pixels, never a blur.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(event->rect(), Picture, event->rect());
}

void DrawingArea::resizeEvent(QResizeEvent*) {
    Shown.SetArea(size());
}

} // namespace quillax
