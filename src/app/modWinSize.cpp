#include "app/modWinSize.h"

#include "app/MinTrackSize.h"

#include <QEvent>
#include <QScreen>

namespace quillax {

QPointer<QWidget> HookedWindow;
MinimumSize MinWidth;
MinimumSize MinHeight;

namespace {
// What the window system adds around the window: frame, title bar.
QSize FrameExtent(const QWidget& window) {
    return window.frameGeometry().size() - window.size();
}

// The answer is an outer size; the toolkit's minimum is that of the window inside its frame. It only
// keeps the user from sizing the window smaller: a window already below it is not resized here (the
// toolkit would jump it to the minimum), it grows through the layout's own steps.
void ApplyMinimumSize(QWidget& window) {
    const QSize frame = FrameExtent(window);
    const QSize platform = window.minimumSizeHint().expandedTo(QSize(0, 0)) + frame;
    const QSize inner = (MinTrackSize(platform, MinWidth, MinHeight) - frame)
                            .expandedTo(QSize(0, 0))
                            .boundedTo(window.size());
    if (window.minimumSize() != inner) {
        window.setMinimumSize(inner);
    }
}

// The frame is known once the window is shown, and a window that grew may now keep a larger minimum.
class SizeHook : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == HookedWindow && (event->type() == QEvent::Show || event->type() == QEvent::Resize)) {
            ApplyMinimumSize(*HookedWindow);
        }
        return false;
    }
};

QPointer<SizeHook> InstalledHook;
} // namespace

// The layout writes the same value on every run: only a change is worth telling the window system.
MinimumSize& MinimumSize::operator=(float value) {
    const bool changed = !(value == Value);
    Value = value;
    if (changed && InstalledHook && HookedWindow) {
        ApplyMinimumSize(*HookedWindow);
    }
    return *this;
}

void HookWindow() {
    if (InstalledHook || !HookedWindow) {
        return;
    }
    InstalledHook = new SizeHook(HookedWindow);
    HookedWindow->installEventFilter(InstalledHook);
    ApplyMinimumSize(*HookedWindow);
}

void UnhookWindow() {
    if (!InstalledHook) {
        return;
    }
    delete InstalledHook;
    if (HookedWindow) {
        HookedWindow->setMinimumSize(0, 0);
    }
}

QSize MaxTrackSize(const QWidget& window) {
    return window.screen()->virtualGeometry().size() + FrameExtent(window);
}

} // namespace quillax
