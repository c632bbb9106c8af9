#pragma once

#include "gdi/BackBuffer.h"
#include "view/JointElement.h"
#include "view/NodeElement.h"

#include <QImage>
#include <QWidget>

namespace quillax {

// The drawing area: a background that keeps what is drawn into it until cleared, with the point
// markers and segments painted above it from their pools.
class DrawingArea : public QWidget {
    Q_OBJECT
public:
    DrawingArea(const NodePool& nodes, const JointPool& joints, QWidget* parent = nullptr);

    float ScaleWidth() const { return static_cast<float>(width()); }
    float ScaleHeight() const { return static_cast<float>(height()); }
    // Clears the background to the back colour (black).
    void Cls();
    // Shows what was drawn and the markers as they are now.
    void Refresh();
    // A view of what is drawn into the area (32-bit RGB, the widget's size), valid until the area is
    // next resized; its pixels are kept across resizes.
    QImage Background() { return Canvas.Image(); }
    // The drawing context onto the background, at the area's size.
    uint32_t hDC();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    const NodePool& Nodes;
    const JointPool& Joints;
    BackBuffer Canvas;
    // The background with the markers on it, remade at every paint.
    QImage Picture;
};

} // namespace quillax
