#include "DrawingArea.h"

#include "Gdi.h"
#include "MarkerPainter.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

#include <cstring>

DrawingArea::DrawingArea(const NodePool& nodes, const JointPool& joints, QWidget* parent)
    : QWidget(parent), Nodes(nodes), Joints(joints),
      BackgroundImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    BackgroundImage.fill(Qt::black);
}

DrawingArea::~DrawingArea() {
    DeleteDC(BackgroundDC);
}

uint32_t DrawingArea::hDC() {
    // Before the window is first shown, a new size reaches the widget ahead of its resize event;
    // what is drawn now must land on a background of the size the area already has.
    if (BackgroundImage.size() != size().expandedTo(QSize(1, 1))) {
        QResizeEvent resize(size(), BackgroundImage.size());
        resizeEvent(&resize);
    }
    if (BackgroundDC == 0) {
        BackgroundDC = CreateImageDC(&BackgroundImage);
    }
    return BackgroundDC;
}

void DrawingArea::Cls() {
    BackgroundImage.fill(Qt::black);
}

void DrawingArea::Refresh() {
    update();
}

void DrawingArea::paintEvent(QPaintEvent* event) {
    if (Picture.size() != BackgroundImage.size() || Picture.format() != BackgroundImage.format()) {
        Picture = QImage(BackgroundImage.size(), BackgroundImage.format());
    }
    std::memcpy(Picture.bits(), BackgroundImage.constBits(),
                static_cast<size_t>(BackgroundImage.sizeInBytes()));
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
    const QSize wanted = size().expandedTo(QSize(1, 1));
    if (wanted == BackgroundImage.size()) {
        return;
    }
    // The background keeps its pixels where they were; new area starts black.
    QImage resized(wanted, QImage::Format_RGB32);
    resized.fill(Qt::black);
    QPainter painter(&resized);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, BackgroundImage);
    painter.end();
    BackgroundImage.swap(resized);
}
