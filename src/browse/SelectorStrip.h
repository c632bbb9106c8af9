#pragma once

#include "BoxElement.h"
#include "ElementArray.h"

#include <QWidget>

// A panel that paints the boxes of one selector strip and reports which box was clicked.
class SelectorStrip : public QWidget {
    Q_OBJECT
public:
    SelectorStrip(const ElementArray<BoxElement>& boxes, QWidget* parent = nullptr);

signals:
    void BoxClicked(int16_t index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    const ElementArray<BoxElement>& Boxes;
};

// The index of the shown box under (x, y), or -1.
int16_t BoxAt(const ElementArray<BoxElement>& boxes, double x, double y);
