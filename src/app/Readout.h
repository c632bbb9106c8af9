#pragma once

#include "document/ObjectDocument.h"
#include "view/MeshScene.h"

#include <QPointF>
#include <QString>

#include <optional>

class QLabel;

namespace quillax {

// The status lines: the file, the chosen mesh and its marks, the zoom, and the model point under the
// pointer.
class Readout {
public:
    Readout(QLabel& label, const ObjectDocument& document, const MeshScene& scene)
        : Label(label), Document(document), Scene(scene) {}

    // Built once a handler, where what it tells can change.
    void Show();
    // A pointer move only redoes the pointer line.
    void PointerAt(std::optional<QPointF> pointer);

private:
    void ShowPointer();

    QLabel& Label;
    const ObjectDocument& Document;
    const MeshScene& Scene;
    // The lines above the pointer line, as the last handler left them.
    QString Lines;
    std::optional<QPointF> Pointer;
};

} // namespace quillax
