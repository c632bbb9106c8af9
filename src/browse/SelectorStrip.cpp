#include "browse/SelectorStrip.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <optional>

namespace quillax {

namespace {
// The focus frame sits in the 3-pixel gap between neighbouring boxes.
constexpr int FrameGap = 2;
// Past this many changed boxes one repaint of the whole panel is cheaper than many small ones.
constexpr int MaxSeparateRepaints = 64;

QColor ColourOf(int32_t value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

QRectF BoxRect(const BoxElement& box) {
    return QRectF(box.Left, box.Top, box.Width, box.Height);
}

// The old and new state of every box that differs between the two.
std::vector<const BoxElement*> ChangedBoxes(const std::vector<BoxElement>& before,
                                            const ElementArray<BoxElement>& now) {
    const size_t count = static_cast<size_t>(now.Count());
    std::vector<const BoxElement*> changed;
    for (size_t i = 0; i < std::max(count, before.size()); ++i) {
        const BoxElement* old = i < before.size() ? &before[i] : nullptr;
        const BoxElement* current = i < count ? &now(static_cast<int32_t>(i)) : nullptr;
        if (old && current && *old == *current) {
            continue;
        }
        for (const BoxElement* box : {old, current}) {
            if (box) {
                changed.push_back(box);
            }
        }
    }
    return changed;
}

std::optional<BoxStep> StepOf(int key) {
    switch (key) {
    case Qt::Key_Left:
        return BoxStep::Left;
    case Qt::Key_Right:
        return BoxStep::Right;
    case Qt::Key_Up:
        return BoxStep::Up;
    case Qt::Key_Down:
        return BoxStep::Down;
    default:
        return std::nullopt;
    }
}
} // namespace

SelectorStrip::SelectorStrip(const ElementArray<BoxElement>& boxes, BoxColours colours, QWidget* parent)
    : QWidget(parent), Boxes(boxes), Colours(colours), ScrollBar(new QScrollBar(Qt::Vertical, this)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    ScrollBar->hide();
    ScrollBar->setFocusPolicy(Qt::NoFocus);
    connect(ScrollBar, &QScrollBar::valueChanged, this, [this] { update(); });
}

void SelectorStrip::SetFlow(BoxFlow flow) {
    Flow = flow;
    ScrollBar->setOrientation(flow == BoxFlow::Rows ? Qt::Vertical : Qt::Horizontal);
    FitScrollBar();
}

int SelectorStrip::ScrollOffset() const {
    return ScrollBar->isVisibleTo(this) ? ScrollBar->value() : 0;
}

QPoint SelectorStrip::Scrolled() const {
    return Flow == BoxFlow::Rows ? QPoint(0, ScrollOffset()) : QPoint(ScrollOffset(), 0);
}

QRect SelectorStrip::ShownArea(const BoxElement& box) const {
    return BoxArea(box).translated(-Scrolled());
}

void SelectorStrip::UpdateBoxArea(const BoxElement& box) {
    update(ShownArea(box));
}

// The boxes reach as far across the flow as the panel the layout would size for them.
void SelectorStrip::FitScrollBar() {
    const BoxElement& last = Boxes(Boxes.Count() - 1);
    const bool rows = Flow == BoxFlow::Rows;
    const double reach =
        !last.Visible ? 0 : PanelSizeAcross(rows ? last.Top : last.Left, rows ? last.Height : last.Width);
    const int view = rows ? height() : width();
    const int beyond = static_cast<int>(std::ceil(reach)) - view;
    if (beyond <= 0) {
        ScrollBar->hide();
        ScrollBar->setValue(0);
        return;
    }
    const int thickness = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    ScrollBar->setGeometry(rows ? QRect(width() - thickness, 0, thickness, height())
                                : QRect(0, height() - thickness, width(), thickness));
    ScrollBar->setRange(0, beyond);
    ScrollBar->setPageStep(view);
    ScrollBar->setSingleStep(static_cast<int>(rows ? last.Height : last.Width) + 3);
    ScrollBar->show();
}

void SelectorStrip::ScrollIntoView(int16_t index) {
    if (!ScrollBar->isVisibleTo(this) || !Boxes.Exists(index)) {
        return;
    }
    const QRect area = BoxArea(Boxes(index));
    const bool rows = Flow == BoxFlow::Rows;
    const int from = rows ? area.top() : area.left();
    const int to = rows ? area.bottom() : area.right();
    const int view = rows ? height() : width();
    if (from < ScrollBar->value()) {
        ScrollBar->setValue(from);
    } else if (to >= ScrollBar->value() + view) {
        ScrollBar->setValue(to - view + 1);
    }
}

void SelectorStrip::resizeEvent(QResizeEvent* event) {
    FitScrollBar();
    QWidget::resizeEvent(event);
}

void SelectorStrip::wheelEvent(QWheelEvent* event) {
    if (!ScrollBar->isVisibleTo(this)) {
        event->ignore();
        return;
    }
    const QPoint delta = event->angleDelta();
    const int turn = delta.y() != 0 ? delta.y() : delta.x();
    // Three boxes a notch, as Qt's own views scroll three lines.
    ScrollBar->setValue(ScrollBar->value() - turn * ScrollBar->singleStep() / 40);
}

QRect SelectorStrip::BoxArea(const BoxElement& box) {
    return BoxRect(box).adjusted(-FrameGap, -FrameGap, FrameGap, FrameGap).toAlignedRect();
}

int16_t SelectorStrip::FocusIndex() const {
    return std::min<int16_t>(Focused, static_cast<int16_t>(Boxes.Count() - 1));
}

bool SelectorStrip::IsShown(int16_t index) const {
    return Boxes.Exists(index) && Boxes(index).Visible;
}

int16_t SelectorStrip::BoxUnder(const QPointF& position) const {
    const QPointF at = position + Scrolled();
    return BoxAt(Boxes, Flow, at.x(), at.y());
}

int32_t SelectorStrip::ShownColour(int16_t index) const {
    return BoxColour(Colours, MarkSource && MarkSource(index));
}

void SelectorStrip::RepaintChangedBoxes() {
    const std::vector<const BoxElement*> changed = ChangedBoxes(Painted, Boxes);
    if (changed.empty()) {
        return;
    }
    FitScrollBar();
    if (changed.size() > 2 * MaxSeparateRepaints) {
        update();
    } else {
        for (const BoxElement* box : changed) {
            UpdateBoxArea(*box);
        }
    }
    Painted.assign(Boxes.begin(), Boxes.end());
}

void SelectorStrip::RepaintBoxes(int32_t first, int32_t last) {
    first = std::max(first, 0);
    last = std::min(last, Boxes.Count() - 1);
    if (last - first >= MaxSeparateRepaints) {
        update();
        return;
    }
    for (int32_t i = first; i <= last; ++i) {
        UpdateBoxArea(Boxes(i));
    }
}

bool SelectorStrip::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        ShowTip(BoxUnder(help->pos()), help->globalPos());
        return true;
    }
    return QWidget::event(event);
}

void SelectorStrip::ShowTip(int16_t index, const QPoint& globalPos) {
    const std::string text = index >= 0 && TipSource ? TipSource(index) : std::string();
    if (text.empty()) {
        QToolTip::hideText();
        return;
    }
    QToolTip::showText(globalPos, QString::fromStdString(text), this, ShownArea(Boxes(index)));
}

void SelectorStrip::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.translate(-Scrolled());
    for (const QRect& rect : event->region()) {
        const QRect placed = rect.translated(Scrolled());
        painter.fillRect(placed, palette().window());
        PaintBoxesIn(painter, placed);
    }
    if (hasFocus() && IsShown(FocusIndex())) {
        PaintFocusFrame(painter);
    }
}

void SelectorStrip::PaintBoxesIn(QPainter& painter, const QRect& rect) const {
    const bool rows = Flow == BoxFlow::Rows;
    const QRectF area(rect);
    const BoxSpan span =
        BoxesAcross(Boxes, Flow, rows ? area.top() : area.left(), rows ? area.bottom() : area.right());
    for (int32_t i = span.First; i <= span.Last; ++i) {
        const BoxElement& box = Boxes(i);
        if (box.Visible && BoxRect(box).intersects(area)) {
            painter.fillRect(BoxRect(box), ColourOf(ShownColour(static_cast<int16_t>(i))));
        }
    }
}

void SelectorStrip::PaintFocusFrame(QPainter& painter) const {
    painter.setPen(QPen(palette().color(QPalette::WindowText), 0));
    painter.setBrush(Qt::NoBrush);
    const BoxElement& box = Boxes(FocusIndex());
    const QRectF frame(box.Left - FrameGap, box.Top - FrameGap, box.Width + FrameGap + 1,
                       box.Height + FrameGap + 1);
    // The first row and column sit 1 pixel from the panel's edge: keep their frame inside it.
    painter.drawRect(frame.intersected(QRectF(rect().translated(Scrolled())).adjusted(0, 0, -1, -1)));
}

void SelectorStrip::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    Pressed = BoxUnder(event->position());
    if (Pressed >= 0) {
        MoveFocus(Pressed);
    }
}

// A click is a press and a release on the same box.
void SelectorStrip::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const int16_t pressed = Pressed;
    Pressed = -1;
    if (pressed >= 0 && BoxUnder(event->position()) == pressed) {
        emit BoxClicked(pressed);
    }
}

void SelectorStrip::keyPressEvent(QKeyEvent* event) {
    const int16_t focused = FocusIndex();
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        if (IsShown(focused)) {
            emit BoxClicked(focused);
        }
        return;
    }
    const std::optional<BoxStep> step = StepOf(event->key());
    if (!step || !IsShown(focused)) {
        QWidget::keyPressEvent(event);
        return;
    }
    MoveFocus(NeighbourBox(Boxes, Flow, focused, *step));
    ShowTip(FocusIndex(), mapToGlobal(ShownArea(Boxes(FocusIndex())).bottomLeft()));
}

void SelectorStrip::MoveFocus(int16_t index) {
    RepaintFocusFrame();
    Focused = index;
    ScrollIntoView(FocusIndex());
    RepaintFocusFrame();
}

void SelectorStrip::RepaintFocusFrame() {
    if (Boxes.Exists(FocusIndex())) {
        UpdateBoxArea(Boxes(FocusIndex()));
    }
}

void SelectorStrip::focusInEvent(QFocusEvent* event) {
    ScrollIntoView(FocusIndex());
    RepaintFocusFrame();
    QWidget::focusInEvent(event);
}

void SelectorStrip::focusOutEvent(QFocusEvent* event) {
    RepaintFocusFrame();
    QWidget::focusOutEvent(event);
}

} // namespace quillax
