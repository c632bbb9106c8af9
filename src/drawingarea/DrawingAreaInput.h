#pragma once

#include "view/WheelNotches.h"

#include <QObject>
#include <QPoint>

#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace quillax {

// What the pointer does in the drawing area, as the window wants it: a click with the pixel it
// landed on, whole wheel notches, and tooltips asked of a source by pixel. It watches the area's
// events and leaves everything else to the area.
class DrawingAreaInput : public QObject {
    Q_OBJECT
public:
    explicit DrawingAreaInput(QWidget* area);

    // Where a tooltip comes from; an empty text shows none.
    void SetTipSource(std::function<std::string(QPoint)> source) { TipSource = std::move(source); }

    // The whole pixel under a pointer position, at any device pixel ratio.
    static QPoint PixelAt(const QPointF& position);

signals:
    // A left press and release close together: the pixel of the press.
    void Clicked(QPoint pixel);
    // Whole notches, positive when the wheel turns away from the user.
    void Wheeled(int notches);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Press(QEvent* event);
    bool Release(QEvent* event);
    bool Wheel(QEvent* event);
    bool Tip(QEvent* event);

    QWidget* Area;
    std::function<std::string(QPoint)> TipSource;
    WheelNotches Notches;
    std::optional<QPointF> PressedAt;
};

} // namespace quillax
