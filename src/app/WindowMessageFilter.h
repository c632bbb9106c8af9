#pragma once

#include <QObject>
#include <QSize>

#include <cstdint>

class QWidget;

namespace quillax {

// The largest outer size the window system lets a window take: the whole desktop and the frame.
QSize MaxTrackSize(const QWidget& window);

// Sends the events of one registered window through its current window procedure, and asks the
// procedure for the window's minimum size whenever the window is shown or sized.
class WindowMessageFilter : public QObject {
public:
    WindowMessageFilter(uint32_t handle, QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void QuerySize();

    uint32_t Handle;
    QWidget* Window;
};

} // namespace quillax
