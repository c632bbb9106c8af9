#include "DrawingArea.h"

#include "Gdi.h"
#include "MarkerPainter.h"

#include <QPainter>
#include <QResizeEvent>

DrawingArea::DrawingArea(const ElementArray<NodeElement>& nodes, const ElementArray<JointElement>& joints,
                         QWidget* parent)
    : QWidget(parent), Nodes(nodes), Joints(joints) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
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

void DrawingArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, BackgroundImage);
    PaintMarkers(painter, Nodes, Joints);
}

void DrawingArea::resizeEvent(QResizeEvent*) {
    // The background keeps its pixels where they were; new area starts black.
    QImage grown(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    grown.fill(Qt::black);
    QPainter painter(&grown);
    painter.drawImage(0, 0, BackgroundImage);
    BackgroundImage = grown;
}
