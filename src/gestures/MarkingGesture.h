#pragma once

#include "document/ObjectDocument.h"
#include "view/MeshScene.h"

#include <QPoint>

#include <cstdint>
#include <optional>

namespace quillax {

// What a click in the drawing area stands for: a point or line of the chosen mesh (its box's click),
// or another mesh (choosing it in the mesh list).
struct ClickTarget {
    enum class Kind { Point, Line, Mesh };
    Kind What;
    int32_t Index;

    bool operator==(const ClickTarget&) const = default;
};

// Marking: what a click finds, and the chosen mesh's points inside a rubber band (added to the marks
// or in their place), every point and line of it, or none.
class MarkingGesture {
public:
    MarkingGesture(ObjectDocument& document, const MeshScene& scene) : Document(document), Scene(scene) {}

    std::optional<ClickTarget> ClickAt(int32_t x, int32_t y) const;
    void Band(QPoint from, QPoint to, bool adding);
    void MarkAll();
    void ClearMarks();

private:
    void SetAll(int16_t flag);

    ObjectDocument& Document;
    const MeshScene& Scene;
};

} // namespace quillax
