#include "view/MarkerPainter.h"

#include "view/NewImage.h"
#include "view/PixelCanvas.h"
#include "view/SharedWork.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace quillax {

namespace {
// Edge of the transparent tiles of the indirect way, which bounds its memory for any device size,
// and the most it covers on a painter that shrinks what it draws.
constexpr int LayerTile = 2048;
constexpr int LayerReach = 8 * LayerTile;
// Below this many markers a second thread costs more than it saves.
constexpr int64_t MarkersPerThread = 1 << 16;
// A part's end is placed to within this share of the run it falls in.
constexpr int64_t SplitSteps = 1024;

struct DirectTarget {
    QImage* Image;
    QRect Clip;
    QPoint Offset;
};

bool IsDirectFormat(QImage::Format format) {
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
           format == QImage::Format_ARGB32_Premultiplied;
}

bool IsWholeTranslation(const QTransform& transform) {
    return transform.type() <= QTransform::TxTranslate && transform.dx() == std::round(transform.dx()) &&
           transform.dy() == std::round(transform.dy()) && std::abs(transform.dx()) < 1e9 &&
           std::abs(transform.dy()) < 1e9;
}

std::optional<DirectTarget> DirectTargetOf(QPainter& painter) {
    QPaintDevice* device = painter.device();
    if (device == nullptr || device->devType() != QInternal::Image) {
        return std::nullopt;
    }
    auto* image = static_cast<QImage*>(device);
    const QTransform transform = painter.deviceTransform();
    const bool plain =
        painter.opacity() == 1.0 && (painter.compositionMode() == QPainter::CompositionMode_SourceOver ||
                                     painter.compositionMode() == QPainter::CompositionMode_Source);
    if (!IsDirectFormat(image->format()) || !plain || !IsWholeTranslation(transform)) {
        return std::nullopt;
    }
    const QPoint offset(static_cast<int>(transform.dx()), static_cast<int>(transform.dy()));
    QRect clip = image->rect();
    if (painter.hasClipping()) {
        const QRegion region = painter.clipRegion();
        if (region.rectCount() > 1) {
            return std::nullopt;
        }
        clip &= region.boundingRect().translated(offset);
    }
    return DirectTarget{image, clip, offset};
}

// The logical area the painter can reach on its device.
QRect ReachableArea(QPainter& painter) {
    bool invertible = false;
    const QTransform toLogical = painter.deviceTransform().inverted(&invertible);
    if (!invertible) {
        return {};
    }
    const QPaintDevice* device = painter.device();
    QRect area = toLogical.mapRect(QRectF(0, 0, device->width(), device->height())).toAlignedRect();
    if (painter.hasClipping()) {
        area &= painter.clipBoundingRect().toAlignedRect();
    }
    return area & QRect(area.topLeft(), QSize(LayerReach, LayerReach));
}

// The pixels of a layer that an element was painted on (only those are opaque, their top bit set)
// replace the target's. Painted and untouched pixels alternate unpredictably, so each is chosen by a
// mask rather than a branch.
void LayOver(const DirectTarget& target, const QImage& layer) {
    const int width = layer.width();
    for (int y = 0; y < layer.height(); ++y) {
        const auto* from = reinterpret_cast<const uint32_t*>(layer.constScanLine(y));
        auto* to =
            reinterpret_cast<uint32_t*>(target.Image->scanLine(target.Clip.top() + y)) + target.Clip.left();
        for (int x = 0; x < width; ++x) {
            const uint32_t painted = 0u - (from[x] >> 31);
            to[x] = (from[x] & painted) | (to[x] & ~painted);
        }
    }
}

int64_t CostOf(const PixelCanvas& canvas, const MarkerSource& markers, const PaintRun& run, int32_t first,
               int32_t last) {
    return markers.PaintCost(run.Pool == PaintRun::PoolOf::Joints, first, last, canvas);
}

// Where the share of painting that ends at `cost` ends, in elements along the order: within a
// SplitSteps-th of the run it falls in, or at the order's end for a cost beyond all of it.
int64_t ElementAt(const PixelCanvas& canvas, const MarkerSource& markers, const std::vector<PaintRun>& order,
                  const std::vector<int64_t>& costs, int64_t cost) {
    int64_t element = 0;
    for (size_t r = 0; r < order.size(); ++r) {
        const PaintRun& run = order[r];
        if (cost <= costs[r]) {
            const int32_t step = std::max<int32_t>(1, (run.Last - run.First) / SplitSteps);
            int32_t at = run.First;
            while (at < run.Last && cost > 0) {
                const int32_t next = std::min(run.Last, at + step);
                cost -= CostOf(canvas, markers, run, at, next);
                at = next;
            }
            return element + (at - run.First);
        }
        cost -= costs[r];
        element += run.Last - run.First;
    }
    return element;
}

// Where each part of equal cost ends, in elements along the order.
std::vector<int64_t> PartEnds(const PixelCanvas& canvas, const MarkerSource& markers,
                              const std::vector<PaintRun>& order, int64_t parts) {
    std::vector<int64_t> costs;
    int64_t total = 0;
    for (const PaintRun& run : order) {
        total += costs.emplace_back(CostOf(canvas, markers, run, run.First, run.Last));
    }
    std::vector<int64_t> ends;
    for (int64_t part = 1; part <= parts; ++part) {
        const int64_t cost = part == parts ? std::numeric_limits<int64_t>::max() : total * part / parts;
        ends.push_back(ElementAt(canvas, markers, order, costs, cost));
    }
    return ends;
}

// The elements in order are shared out in parts of equal cost, as the source reckons it, one to a
// thread: the first part is painted on the target, each other on a transparent layer of the clip,
// and the layers are laid over the target in order, so every pixel takes the value of the last
// element painted on it, as in one pass. The costs are reckoned against the target's canvas, which
// the first part paints with. Every thread is joined before this returns.
void PaintShared(const DirectTarget& target, const MarkerSource& markers,
                 const std::vector<PaintRun>& order) {
    const int64_t parts =
        PartsFor(static_cast<int64_t>(markers.JointCount()) + markers.NodeCount(), MarkersPerThread);
    PixelCanvas onTarget(*target.Image, target.Clip, target.Offset);
    const std::vector<int64_t> ends = PartEnds(onTarget, markers, order, parts);
    // Made here, where running out of memory can be reported: the threads must not throw.
    std::vector<QImage> layers(static_cast<size_t>(parts));
    for (size_t part = 1; part < layers.size(); ++part) {
        layers[part] = NewImage(target.Clip.size(), QImage::Format_ARGB32_Premultiplied);
    }
    RunInParts(parts, [&target, &markers, &order, &layers, &ends, &onTarget](int64_t part) {
        const int64_t from = part == 0 ? 0 : ends[static_cast<size_t>(part - 1)];
        const int64_t to = ends[static_cast<size_t>(part)];
        if (part == 0) {
            onTarget.Paint(markers, order, from, to);
            return;
        }
        QImage& layer = layers[static_cast<size_t>(part)];
        layer.fill(Qt::transparent);
        PixelCanvas(layer, layer.rect(), target.Offset - target.Clip.topLeft())
            .Paint(markers, order, from, to);
    });
    for (size_t part = 1; part < layers.size(); ++part) {
        LayOver(target, layers[part]);
    }
}

void PaintThroughLayers(QPainter& painter, const MarkerSource& markers, const std::vector<PaintRun>& order) {
    const QRect area = ReachableArea(painter);
    for (int y = 0; y < area.height(); y += LayerTile) {
        for (int x = 0; x < area.width(); x += LayerTile) {
            const QRect tile = QRect(area.topLeft() + QPoint(x, y), QSize(LayerTile, LayerTile)) & area;
            QImage layer = NewImage(tile.size(), QImage::Format_ARGB32_Premultiplied);
            layer.fill(Qt::transparent);
            PixelCanvas(layer, layer.rect(), -tile.topLeft()).Paint(markers, order);
            painter.drawImage(tile.topLeft(), layer);
        }
    }
}
} // namespace

void PaintMarkers(QPainter& painter, const MarkerSource& markers, const MarkerStacking& stacking,
                  const std::vector<MarkerRange>& leftOut) {
    if (!painter.isActive()) {
        return;
    }
    const std::vector<PaintRun> order =
        WithoutMarkers(PaintOrderOf(stacking, markers.NodeCount(), markers.JointCount()), leftOut);
    if (const std::optional<DirectTarget> target = DirectTargetOf(painter)) {
        PaintShared(*target, markers, order);
        return;
    }
    PaintThroughLayers(painter, markers, order);
}

} // namespace quillax
