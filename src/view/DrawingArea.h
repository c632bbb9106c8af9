#pragma once

#include "JointElement.h"
#include "NodeElement.h"

#include <QImage>
#include <QWidget>

// The drawing area: a background that keeps what is drawn into it until cleared, with the point
// markers and segments painted above it from their pools.
class DrawingArea : public QWidget {
    Q_OBJECT
public:
    DrawingArea(const NodePool& nodes, const JointPool& joints, QWidget* parent = nullptr);
    ~DrawingArea() override;

    float ScaleWidth() const { return static_cast<float>(width()); }
    float ScaleHeight() const { return static_cast<float>(height()); }
    // Clears the background to the back colour (black).
    void Cls();
    // Shows what was drawn and the markers as they are now.
    void Refresh();
    // What is drawn into the area (32-bit RGB, the widget's size): the same object for the widget's
    // whole life, its pixels kept across resizes.
    QImage& Background() { return BackgroundImage; }
    // The drawing context onto the background (made on first use), at the area's size.
    uint32_t hDC();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    const NodePool& Nodes;
    const JointPool& Joints;
    QImage BackgroundImage;
    // The background with the markers on it, remade at every paint.
    QImage Picture;
    uint32_t BackgroundDC = 0;
};
