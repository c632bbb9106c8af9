#pragma once

#include "view/MeshScene.h"
#include "view/ViewNavigation.h"

#include <QPointF>

#include <cstdint>

namespace quillax {

// Moving around: the picture follows the pointer, the wheel zooms about it, the view fits the object
// or goes back to where it starts. Each step places the scene's view and redraws it.
class NavigationGesture {
public:
    explicit NavigationGesture(MeshScene& scene) : Scene(scene) {}

    void PanBegan();
    void Panned(QPointF moved);
    // Whole notches at a pointer position; one notch is one zoom step of "+" or "--".
    void Wheeled(int32_t notches, QPointF position);
    void FitView();
    // The marked points of the chosen mesh, or the whole mesh when none is marked, fitted as Home fits
    // the object.
    void FitMarked();
    void StartView();

private:
    void PlaceView(const ViewPlace& place);

    MeshScene& Scene;
    // Where the view was when the pan under way began.
    ViewPlace PanStart;
};

} // namespace quillax
