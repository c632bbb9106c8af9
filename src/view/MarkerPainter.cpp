#include "view/MarkerPainter.h"

#include "view/PixelCanvas.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <optional>
#include <thread>
#include <vector>

namespace quillax {

namespace {
// Edge of the transparent tiles of the indirect way, which bounds its memory for any device size,
// and the most it covers on a painter that shrinks what it draws.
constexpr int LayerTile = 2048;
constexpr int LayerReach = 8 * LayerTile;
// Below this many markers a second thread costs more than it saves.
constexpr int64_t MarkersPerThread = 1 << 16;

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

// Bands of rows, one to a thread: each band sees every element in order, so a pixel gets exactly the
// value painting them all in one pass would give it. Every thread is joined before this returns.
void PaintInBands(const DirectTarget& target, const NodePool& nodes, const JointPool& joints) {
    const int64_t markers = static_cast<int64_t>(nodes.Count()) + joints.Count();
    const int64_t cores = std::max<int64_t>(std::thread::hardware_concurrency(), 1);
    const int bands = static_cast<int>(
        std::clamp<int64_t>(markers / MarkersPerThread, 1, std::min<int64_t>(cores, target.Clip.height())));
    const auto band = [&target, bands](int k) {
        const int top = target.Clip.top() + target.Clip.height() * k / bands;
        const int bottom = target.Clip.top() + target.Clip.height() * (k + 1) / bands;
        return QRect(target.Clip.left(), top, target.Clip.width(), bottom - top);
    };
    // Shared pixels are copied here, once; the threads then only write.
    target.Image->bits();
    std::vector<std::jthread> helpers;
    for (int k = 1; k < bands; ++k) {
        helpers.emplace_back([&target, &nodes, &joints, clip = band(k)] {
            PixelCanvas(*target.Image, clip, target.Offset).Paint(nodes, joints);
        });
    }
    PixelCanvas(*target.Image, band(0), target.Offset).Paint(nodes, joints);
}

void PaintThroughLayers(QPainter& painter, const NodePool& nodes, const JointPool& joints) {
    const QRect area = ReachableArea(painter);
    for (int y = 0; y < area.height(); y += LayerTile) {
        for (int x = 0; x < area.width(); x += LayerTile) {
            const QRect tile = QRect(area.topLeft() + QPoint(x, y), QSize(LayerTile, LayerTile)) & area;
            QImage layer(tile.size(), QImage::Format_ARGB32_Premultiplied);
            layer.fill(Qt::transparent);
            PixelCanvas(layer, layer.rect(), -tile.topLeft()).Paint(nodes, joints);
            painter.drawImage(tile.topLeft(), layer);
        }
    }
}
} // namespace

void PaintMarkers(QPainter& painter, const NodePool& nodes, const JointPool& joints) {
    if (!painter.isActive()) {
        return;
    }
    if (const std::optional<DirectTarget> target = DirectTargetOf(painter)) {
        PaintInBands(*target, nodes, joints);
        return;
    }
    PaintThroughLayers(painter, nodes, joints);
}

} // namespace quillax
