#include "gestures/MarkingGesture.h"

#include "gestures/SceneHits.h"

#include <QRect>

#include <algorithm>

namespace quillax {

namespace {
// Whether a marker's centre, where it is drawn, lies in the band (pixels, edges included).
bool Inside(const NodeElement& node, const QRect& band) {
    const MarkerPoint centre = MarkerCentre(node);
    return node.Visible && centre.X >= band.left() && centre.X <= band.right() && centre.Y >= band.top() &&
           centre.Y <= band.bottom();
}
} // namespace

std::optional<ClickTarget> MarkingGesture::ClickAt(int32_t x, int32_t y) const {
    const MarkerRange range = ChosenMarkers(Scene);
    if (const std::optional<MarkerHit> hit = HitIn(Scene, range, x, y)) {
        return hit->Kind == MarkerKind::Point
                   ? ClickTarget{ClickTarget::Kind::Point, hit->Index - range.FirstNode}
                   : ClickTarget{ClickTarget::Kind::Line, hit->Index - range.FirstJoint};
    }
    const std::optional<MarkerHit> other = HitAnyMesh(Scene, x, y, false);
    const std::optional<MeshItem> item = other ? MeshItemOf(Scene.Object(), *other) : std::nullopt;
    if (!item) {
        return std::nullopt;
    }
    return ClickTarget{ClickTarget::Kind::Mesh, item->Mesh};
}

void MarkingGesture::Band(QPoint from, QPoint to, bool adding) {
    const int32_t chosen = Document.ChosenMesh();
    const MeshSelection* kept = Document.MarksOf(chosen);
    if (kept == nullptr) {
        return;
    }
    MeshSelection marks = *kept;
    const QRect band = QRect(from, to).normalized();
    const MarkerRange range = ChosenMarkers(Scene);
    const SceneMarkers markers = Scene.Markers();
    const auto points = static_cast<int32_t>(marks.PointFlags.size());
    for (int32_t k = 0; k < points; ++k) {
        int16_t& flag = marks.PointFlags[static_cast<size_t>(k)];
        if (k < range.NodeCount && Inside(markers.NodeAt(range.FirstNode + k), band)) {
            flag = -1;
        } else if (!adding) {
            flag = 0;
        }
    }
    if (!adding) {
        std::fill(marks.LineFlags.begin(), marks.LineFlags.end(), int16_t{0});
    }
    Document.SetMarks(chosen, std::move(marks));
}

void MarkingGesture::MarkAll() {
    SetAll(-1);
}

void MarkingGesture::ClearMarks() {
    SetAll(0);
}

void MarkingGesture::SetAll(int16_t flag) {
    const int32_t chosen = Document.ChosenMesh();
    if (const MeshSelection* kept = Document.MarksOf(chosen)) {
        MeshSelection marks = *kept;
        std::fill(marks.PointFlags.begin(), marks.PointFlags.end(), flag);
        std::fill(marks.LineFlags.begin(), marks.LineFlags.end(), flag);
        Document.SetMarks(chosen, std::move(marks));
    }
}

} // namespace quillax
