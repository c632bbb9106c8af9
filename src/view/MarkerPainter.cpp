#include "MarkerPainter.h"

#include <QPainter>

namespace {
QColor ColourOf(int32_t value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}
} // namespace

void PaintMarkers(QPainter& painter, const ElementArray<NodeElement>& nodes,
                  const ElementArray<JointElement>& joints) {
    for (const JointElement& joint : joints) {
        if (joint.Visible) {
            painter.setPen(QPen(ColourOf(joint.BorderColor), joint.BorderWidth));
            painter.drawLine(QPointF(joint.X1, joint.Y1), QPointF(joint.X2, joint.Y2));
        }
    }
    for (const NodeElement& node : nodes) {
        if (node.Visible) {
            painter.setPen(ColourOf(node.BorderColor));
            painter.setBrush(ColourOf(node.FillColor));
            painter.drawEllipse(QRectF(node.Left, node.Top, node.Width - 1, node.Height - 1));
        }
    }
}
