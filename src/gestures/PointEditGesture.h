#pragma once

#include "document/ObjectDocument.h"
#include "gestures/GridSnap.h"
#include "view/MeshScene.h"

#include <QPoint>

#include <cstdint>
#include <optional>
#include <vector>

namespace quillax {

// Editing points in the drawing area: a left drag from a point of the chosen mesh moves it (with
// every marked point when it is marked), as one step however long; a double click on a line of the
// chosen mesh inserts a point where the line passes nearest to the pointer. With snapping on, the
// dragged point and an inserted one land on the grid's crossings (Ctrl held during a drag lets the
// point follow the pointer freely), and the other dragged points move by the same offset.
class PointEditGesture {
public:
    PointEditGesture(ObjectDocument& document, const MeshScene& scene, const GridSnap& snap = NoGridSnap)
        : Document(document), Scene(scene), Snap(snap) {}

    // False when the drag does not start on a point of the chosen mesh, or that mesh is locked: then
    // it moves nothing.
    bool DragBegan(QPoint from);
    // The dragged points follow the pointer in model units, from where they were when the drag began.
    void Dragged(QPoint from, QPoint to, Qt::KeyboardModifiers keys = Qt::NoModifier);
    void DragEnded(QPoint from, QPoint to, Qt::KeyboardModifiers keys = Qt::NoModifier);
    bool IsDragging() const { return Drag.has_value(); }
    // How far the grabbed point has moved in model units, while a drag is under way.
    std::optional<ModelPoint> Moved() const;
    void DoubleClicked(int32_t x, int32_t y);

private:
    // The mesh, each dragged point's place when the drag began, the series its steps merge in, and
    // which of the moves is the grabbed point's.
    struct PointDrag {
        int32_t Mesh = -1;
        std::vector<PointMove> Moves;
        int32_t Series = 0;
        size_t Grabbed = 0;
    };

    std::optional<PointDrag> Drag;
    int32_t LastSeries = 0;
    ObjectDocument& Document;
    const MeshScene& Scene;
    const GridSnap& Snap;
};

} // namespace quillax
