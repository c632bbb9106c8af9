#include "gestures/PointEditGesture.h"

#include "document/DocumentEdits.h"
#include "gestures/SceneHits.h"
#include "view/ViewNavigation.h"

#include <algorithm>
#include <cmath>

namespace quillax {

namespace {
// The point of segment a-b nearest to p, in model units; p itself when the segment has no extent.
ModelPoint NearestOnSegment(ModelPoint a, ModelPoint b, ModelPoint p) {
    const double dx = b.X - a.X;
    const double dy = b.Y - a.Y;
    const double length = dx * dx + dy * dy;
    if (!(length > 0) || !std::isfinite(length)) {
        return p;
    }
    const double t = std::clamp(((p.X - a.X) * dx + (p.Y - a.Y) * dy) / length, 0.0, 1.0);
    return {a.X + t * dx, a.Y + t * dy};
}
} // namespace

bool PointEditGesture::DragBegan(QPoint from) {
    Drag.reset();
    const std::optional<MeshItem> grabbed = ChosenItemAt(Scene, MarkerKind::Point, from.x(), from.y());
    if (!grabbed || Document.ViewStateOf(grabbed->Mesh).Locked) {
        return false;
    }
    const MeshSelection& marks = *Document.MarksOf(grabbed->Mesh);
    const Mesh& mesh = Document.Object().Meshes[static_cast<size_t>(grabbed->Mesh)];
    const std::vector<int32_t> moved = marks.PointFlags[static_cast<size_t>(grabbed->Index)] != 0
                                           ? MarkedPoints(marks)
                                           : std::vector<int32_t>{grabbed->Index};
    PointDrag drag{grabbed->Mesh, {}, ++LastSeries, 0};
    for (const int32_t k : moved) {
        const float x = mesh.X[static_cast<size_t>(k)];
        const float y = mesh.Y[static_cast<size_t>(k)];
        if (k == grabbed->Index) {
            drag.Grabbed = drag.Moves.size();
        }
        drag.Moves.push_back({k, x, y, x, y});
    }
    Drag = std::move(drag);
    return true;
}

// Every step is pushed in the drag's series, so the history holds one step for the whole drag.
void PointEditGesture::Dragged(QPoint from, QPoint to, Qt::KeyboardModifiers keys) {
    if (!Drag) {
        return;
    }
    const ViewTransform view = Scene.View();
    const ModelPoint start = ScreenToModel(view, from.x(), from.y());
    const ModelPoint now = ScreenToModel(view, to.x(), to.y());
    const PointMove& grabbed = Drag->Moves[Drag->Grabbed];
    ModelPoint target{grabbed.FromX + (now.X - start.X), grabbed.FromY + (now.Y - start.Y)};
    if (!keys.testFlag(Qt::ControlModifier)) {
        target = Snap.Placed(target, Scene.GridSpacing);
    }
    const double dx = target.X - grabbed.FromX;
    const double dy = target.Y - grabbed.FromY;
    for (PointMove& move : Drag->Moves) {
        move.ToX = static_cast<float>(move.FromX + dx);
        move.ToY = static_cast<float>(move.FromY + dy);
    }
    Document.MovePoints(Drag->Mesh, Drag->Moves, Drag->Series);
}

void PointEditGesture::DragEnded(QPoint from, QPoint to, Qt::KeyboardModifiers keys) {
    Dragged(from, to, keys);
    Drag.reset();
}

std::optional<ModelPoint> PointEditGesture::Moved() const {
    if (!Drag) {
        return std::nullopt;
    }
    const PointMove& grabbed = Drag->Moves[Drag->Grabbed];
    return ModelPoint{static_cast<double>(grabbed.ToX) - grabbed.FromX,
                      static_cast<double>(grabbed.ToY) - grabbed.FromY};
}

void PointEditGesture::DoubleClicked(int32_t x, int32_t y) {
    const std::optional<MeshItem> line = ChosenItemAt(Scene, MarkerKind::Line, x, y);
    if (!line) {
        return;
    }
    const Mesh& mesh = Document.Object().Meshes[static_cast<size_t>(line->Mesh)];
    const auto k = static_cast<size_t>(line->Index);
    const ModelPoint at = Snap.Placed(NearestOnSegment({mesh.X[k], mesh.Y[k]}, {mesh.X[k + 1], mesh.Y[k + 1]},
                                                       ScreenToModel(Scene.View(), x, y)),
                                      Scene.GridSpacing);
    InsertPoint(Document, line->Index, static_cast<float>(at.X), static_cast<float>(at.Y));
}

} // namespace quillax
