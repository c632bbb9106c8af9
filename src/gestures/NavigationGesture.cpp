#include "gestures/NavigationGesture.h"

#include "document/PointTransforms.h"
#include "view/ViewZoom.h"

#include <algorithm>
#include <cstdlib>

namespace quillax {

namespace {
// A faulty device's absurd turn is held to what a fast hand gives, so it cannot freeze the editor.
constexpr int32_t MostNotchesPerTurn = 10;

ViewPlace PlaceOf(const MeshScene& scene) {
    return {scene.ViewScale, scene.ViewOffsetX, scene.ViewOffsetY};
}

// The view as it would be at `place`, all else as it is.
ViewTransform PlacedAt(ViewTransform view, const ViewPlace& place) {
    view.Scale = place.Scale;
    view.OffsetX = place.OffsetX;
    view.OffsetY = place.OffsetY;
    return view;
}
} // namespace

void NavigationGesture::PlaceView(const ViewPlace& place) {
    Scene.ViewScale = place.Scale;
    Scene.ViewOffsetX = place.OffsetX;
    Scene.ViewOffsetY = place.OffsetY;
    Scene.RedrawView();
}

void NavigationGesture::PanBegan() {
    PanStart = PlaceOf(Scene);
}

// Offsets worked out from where the pan began, never step by step, so the picture stays with the
// pointer however long the drag.
void NavigationGesture::Panned(QPointF moved) {
    PlaceView(PannedBy(PlacedAt(Scene.View(), PanStart), moved.x(), moved.y()));
}

void NavigationGesture::Wheeled(int32_t notches, QPointF position) {
    const int32_t steps = std::min(std::abs(notches), MostNotchesPerTurn);
    const ViewTransform view = Scene.View();
    ViewPlace place = PlaceOf(Scene);
    for (int32_t i = 0; i < steps; ++i) {
        const float zoomed = notches > 0 ? ZoomedIn(place.Scale) : ZoomedOut(place.Scale);
        place = ZoomedAbout(PlacedAt(view, place), zoomed, PositionUnder(position.x()),
                            PositionUnder(position.y()));
    }
    PlaceView(place);
}

void NavigationGesture::FitView() {
    if (const std::optional<ViewPlace> fitted = FittedView(Scene.Object(), Scene.View(), HomeMargin)) {
        PlaceView(*fitted);
    }
}

void NavigationGesture::FitMarked() {
    const ObjectDocument& document = Scene.Document();
    if (!document.HasChosenMesh()) {
        return;
    }
    const Mesh& mesh = document.Object().Meshes[static_cast<size_t>(document.ChosenMesh())];
    ObjectFile marked;
    Mesh& points = marked.Meshes.emplace_back();
    for (const int32_t k : TargetPoints(mesh, *document.MarksOf(document.ChosenMesh()))) {
        points.X.push_back(mesh.X[static_cast<size_t>(k)]);
        points.Y.push_back(mesh.Y[static_cast<size_t>(k)]);
    }
    points.PointCount = static_cast<int16_t>(points.X.size());
    if (const std::optional<ViewPlace> fitted = FittedView(marked, Scene.View(), HomeMargin)) {
        PlaceView(*fitted);
    }
}

void NavigationGesture::StartView() {
    PlaceView(ViewPlace{4.0f, 0, 0});
}

} // namespace quillax
