#pragma once

#include "document/ObjectDocument.h"
#include "view/MeshScene.h"

#include <QPoint>

#include <cstdint>
#include <optional>
#include <vector>

namespace quillax {

// Editing points in the drawing area: a left drag from a point of the chosen mesh moves it (with
// every marked point when it is marked), as one step however long; a double click on a line of the
// chosen mesh inserts a point where the line passes nearest to the pointer.
class PointEditGesture {
public:
    PointEditGesture(ObjectDocument& document, const MeshScene& scene) : Document(document), Scene(scene) {}

    // False when the drag does not start on a point of the chosen mesh, or that mesh is locked: then
    // it moves nothing.
    bool DragBegan(QPoint from);
    // The dragged points follow the pointer in model units, from where they were when the drag began.
    void Dragged(QPoint from, QPoint to);
    void DragEnded(QPoint from, QPoint to);
    bool IsDragging() const { return Drag.has_value(); }
    void DoubleClicked(int32_t x, int32_t y);

private:
    // The mesh, each dragged point's place when the drag began, and the series its steps merge in.
    struct PointDrag {
        int32_t Mesh = -1;
        std::vector<PointMove> Moves;
        int32_t Series = 0;
    };

    std::optional<PointDrag> Drag;
    int32_t LastSeries = 0;
    ObjectDocument& Document;
    const MeshScene& Scene;
};

} // namespace quillax
