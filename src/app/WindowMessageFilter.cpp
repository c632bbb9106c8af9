#include "app/WindowMessageFilter.h"

#include "app/MinMaxInfo.h"
#include "app/WindowProcedures.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace quillax {

namespace {
// What the window system adds around the window: frame, title bar.
QSize FrameExtent(const QWidget& window) {
    return window.frameGeometry().size() - window.size();
}

POINTAPI Point(QSize size) {
    return {size.width(), size.height()};
}

} // namespace

QSize MaxTrackSize(const QWidget& window) {
    return window.screen()->virtualGeometry().size() + FrameExtent(window);
}

namespace {
MINMAXINFO PlatformMinMaxInfo(const QWidget& window) {
    const QSize frame = FrameExtent(window);
    const QScreen* screen = window.screen();
    const QRect available = screen->availableGeometry();
    MINMAXINFO info;
    info.ptMaxSize = Point(available.size());
    info.ptMaxPosition = {available.x(), available.y()};
    info.ptMinTrackSize = Point(window.minimumSizeHint().expandedTo(QSize(0, 0)) + frame);
    info.ptMaxTrackSize = Point(MaxTrackSize(window));
    return info;
}

// The answer is an outer size; the toolkit's minimum is that of the window inside its frame. It
// only keeps the user from sizing the window smaller: a window already below it is not resized
// here (the toolkit would jump it to the minimum), it grows through the layout's own steps.
void ApplyMinTrackSize(QWidget& window, POINTAPI minTrackSize) {
    const QSize frame = FrameExtent(window);
    const QSize inner = QSize(minTrackSize.x - frame.width(), minTrackSize.y - frame.height())
                            .expandedTo(QSize(0, 0))
                            .boundedTo(window.size());
    if (window.minimumSize() != inner) {
        window.setMinimumSize(inner);
    }
}
} // namespace

WindowMessageFilter::WindowMessageFilter(uint32_t handle, QWidget* window)
    : QObject(window), Handle(handle), Window(window) {}

bool WindowMessageFilter::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Window) {
        return false;
    }
    if (event->type() == QEvent::Resize || event->type() == QEvent::Show) {
        QuerySize();
    }
    const intptr_t result =
        CallWindowProcA(GetWindowLongA(Handle, GWL_WNDPROC), Handle,
                        WM_APP + static_cast<uint32_t>(event->type()), 0, reinterpret_cast<intptr_t>(event));
    return result != 0;
}

void WindowMessageFilter::QuerySize() {
    MINMAXINFO info = PlatformMinMaxInfo(*Window);
    CallWindowProcA(GetWindowLongA(Handle, GWL_WNDPROC), Handle, WM_GETMINMAXINFO, 0,
                    reinterpret_cast<intptr_t>(&info));
    ApplyMinTrackSize(*Window, info.ptMinTrackSize);
}

} // namespace quillax
