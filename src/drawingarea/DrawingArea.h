#pragma once

#include "view/MeshScene.h"

#include <QImage>
#include <QWidget>

namespace quillax {

// The drawing area (picMain): shows its scene, the background with the markers painted above it.
// The scene's area is the widget's size, set at every change of it.
class DrawingArea : public QWidget {
    Q_OBJECT
public:
    explicit DrawingArea(MeshScene& scene, QWidget* parent = nullptr);

    MeshScene& Scene() { return Shown; }
    const MeshScene& Scene() const { return Shown; }
    float ScaleWidth() const { return static_cast<float>(width()); }
    float ScaleHeight() const { return static_cast<float>(height()); }
    // Shows what was drawn and the markers as they are now.
    void Refresh();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    MeshScene& Shown;
    // The scene's picture, remade at every paint in the same memory.
    QImage Picture;
};

} // namespace quillax
