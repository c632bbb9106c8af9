#include "view/DeferredBackground.h"

#include "view/GridPainter.h"
#include "view/NewImage.h"

#include <QPainter>

#include <utility>

namespace quillax {

namespace {
// Nothing reads a hidden scene's background; past this many steps it is made anyway, so that the
// steps kept stay few.
constexpr size_t MostSteps = 256;

QRect Whole(QSize area) {
    return {QPoint(0, 0), area};
}

// The image at its new size, what is within both sizes kept and the rest black.
QImage Resized(const QImage& image, QSize area) {
    QImage resized = NewImage(area, QImage::Format_RGB32);
    resized.fill(Qt::black);
    if (!image.isNull()) {
        QPainter painter(&resized);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, image);
    }
    return resized;
}
} // namespace

QSize DeferredBackground::Size() const {
    return Steps.empty() ? Base.size() : Steps.back().Area;
}

void DeferredBackground::Resize(QSize area) {
    if (area != Size()) {
        Add({area, QRegion(), QImage(), GridLayout()});
    }
}

void DeferredBackground::Clear(QSize area) {
    Add({area, QRegion(Whole(area)), QImage(), GridLayout()});
}

void DeferredBackground::PaintGrid(QSize area, const QImage& tile, const GridLayout& layout) {
    Add({area, GridCoverage(layout) & Whole(area), tile, layout});
}

QImage& DeferredBackground::Image() const {
    Resolve();
    return Base;
}

// A step that paints the whole area hides every step before it.
void DeferredBackground::Add(Step step) {
    if (step.Painted == QRegion(Whole(step.Area))) {
        Steps.clear();
    }
    Steps.push_back(std::move(step));
    if (Steps.size() > MostSteps) {
        Resolve();
    }
}

// From the last step back: each pixel takes its value from the latest step that painted it, is
// black when a step's area left it out after that, and keeps the image's value otherwise.
void DeferredBackground::Resolve() const {
    if (Steps.empty()) {
        return;
    }
    const QRect area = Whole(Steps.back().Area);
    QRegion unresolved(area);
    QRegion black(area);
    std::vector<std::pair<const Step*, QRegion>> paints;
    for (auto step = Steps.rbegin(); step != Steps.rend() && !unresolved.isEmpty(); ++step) {
        const QRegion painted = unresolved & step->Painted;
        if (!painted.isEmpty() && !step->Tile.isNull()) {
            paints.emplace_back(&*step, painted);
            black -= painted;
        }
        unresolved -= step->Painted;
        unresolved &= Whole(step->Area);
    }
    black -= unresolved & Base.rect();
    if (Base.size() != area.size()) {
        Base = Resized(Base, area.size());
    }
    QPainter painter(&Base);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (!black.isEmpty()) {
        painter.setClipRegion(black);
        painter.fillRect(area, Qt::black);
    }
    painter.end();
    for (const auto& [step, region] : paints) {
        quillax::PaintGrid(Base, step->Tile, step->Layout, region);
    }
    Steps.clear();
}

} // namespace quillax
