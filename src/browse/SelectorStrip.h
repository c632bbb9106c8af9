#pragma once

#include "browse/BoxElement.h"
#include "browse/StripGeometry.h"
#include "browse/StripState.h"
#include "platform/ElementArray.h"

#include <QScrollBar>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

namespace quillax {

// The panel of one selector strip. It paints the boxes of its element array (only those in the
// exposed region) in the colour of their marks, reports a click on a box with the box's index, and
// lets the keyboard stand in for
// the mouse: arrow keys move a focus between the boxes and Space clicks the focused one. When its
// boxes reach past the panel across the flow (rows below it, columns beyond its right edge), a scroll
// bar and the wheel move them, and the focused box is always scrolled into view.
class SelectorStrip : public QWidget {
    Q_OBJECT
public:
    SelectorStrip(const ElementArray<BoxElement>& boxes, BoxColours colours, QWidget* parent = nullptr);

    // Rows for the point strip (the default), columns for the line strip.
    void SetFlow(BoxFlow flow);
    // Where a box's tooltip comes from; an empty text shows none.
    void SetTipSource(std::function<std::string(int16_t)> source) { TipSource = std::move(source); }
    // Whether a box's point or line is marked; none is without a source.
    void SetMarkSource(std::function<bool(int16_t)> source) { MarkSource = std::move(source); }
    // The colour box `index` shows.
    int32_t ShownColour(int16_t index) const;

    // Repaints the boxes whose place or visibility changed since they were last repainted, and the
    // boxes first to last, whose marks changed.
    void RepaintChangedBoxes();
    void RepaintBoxes(int32_t first, int32_t last);

    // The box the keyboard acts on.
    int16_t FocusIndex() const;
    // A box's area, with room for the focus frame around it.
    static QRect BoxArea(const BoxElement& box);
    // How far the boxes are scrolled, in pixels across the flow.
    int ScrollOffset() const;

signals:
    void BoxClicked(int16_t index);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void PaintBoxesIn(QPainter& painter, const QRect& rect) const;
    void PaintFocusFrame(QPainter& painter) const;
    void MoveFocus(int16_t index);
    void RepaintFocusFrame();
    bool IsShown(int16_t index) const;
    void ShowTip(int16_t index, const QPoint& globalPos);
    int16_t BoxUnder(const QPointF& position) const;
    // Between the boxes' own places and the panel's pixels.
    QPoint Scrolled() const;
    QRect ShownArea(const BoxElement& box) const;
    void UpdateBoxArea(const BoxElement& box);
    void FitScrollBar();
    void ScrollIntoView(int16_t index);

    const ElementArray<BoxElement>& Boxes;
    BoxColours Colours;
    BoxFlow Flow = BoxFlow::Rows;
    std::function<std::string(int16_t)> TipSource;
    std::function<bool(int16_t)> MarkSource;
    // The boxes as last handed to the repaint calls, to find what changed.
    std::vector<BoxElement> Painted;
    int16_t Focused = 0;
    int16_t Pressed = -1;
    QScrollBar* ScrollBar;
};

} // namespace quillax
