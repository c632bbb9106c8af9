#pragma once

#include <QEvent>
#include <QObject>
#include <QPaintEvent>
#include <QRegion>

#include <vector>

namespace quillax {

// Records the regions a widget repaints, as an event filter installed on it.
class PaintRecorder : public QObject {
public:
    std::vector<QRegion> Regions;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            Regions.push_back(static_cast<QPaintEvent*>(event)->region());
        }
        return false;
    }
};

} // namespace quillax
