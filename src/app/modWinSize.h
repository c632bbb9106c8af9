#pragma once

#include <QPointer>
#include <QSize>
#include <QWidget>

namespace quillax {

// A minimum dimension of the hooked window, in pixels of its outer size (0 or below: the platform's
// own minimum). Every change reaches the window system at once, not at the next resize.
class MinimumSize {
public:
    MinimumSize& operator=(float value);
    operator float() const { return Value; }

private:
    float Value = 0;
};

// The window's minimum-size hook: an event filter on HookedWindow that keeps the window's minimum
// size at MinWidth by MinHeight while it is installed.
extern QPointer<QWidget> HookedWindow;
extern MinimumSize MinWidth;
extern MinimumSize MinHeight;

// Installs the hook on HookedWindow; nothing when it is installed already.
void HookWindow();
// Removes it and gives the window back the platform's own minimum; nothing when it is not installed.
void UnhookWindow();

// The largest outer size the window system lets a window take: the whole desktop and the frame.
QSize MaxTrackSize(const QWidget& window);

} // namespace quillax
