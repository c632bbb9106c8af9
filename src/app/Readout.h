#pragma once

#include "document/ObjectDocument.h"
#include "view/MeshScene.h"
#include "view/ViewNavigation.h"

#include <QPointF>
#include <QString>

#include <optional>

class QLabel;

namespace quillax {

// The status lines: the file, the chosen mesh and its marks, the zoom, a measure (how far a drag has
// moved, or the distance and angle of two marked points), and the model point under the pointer.
class Readout {
public:
    Readout(QLabel& label, const ObjectDocument& document, const MeshScene& scene)
        : Label(label), Document(document), Scene(scene) {}

    // Built once a handler, where what it tells can change.
    void Show();
    // A pointer move only redoes the pointer line.
    void PointerAt(std::optional<QPointF> pointer);
    // How far a drag under way has moved, for the measure line; none once it ends.
    void DragMoved(std::optional<ModelPoint> moved) { Dragged = moved; }

private:
    void ShowPointer();

    QLabel& Label;
    const ObjectDocument& Document;
    const MeshScene& Scene;
    // The lines above the pointer line, as the last handler left them.
    QString Lines;
    std::optional<QPointF> Pointer;
    std::optional<ModelPoint> Dragged;
};

} // namespace quillax
