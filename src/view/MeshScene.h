#pragma once

#include "gdi/BackBuffer.h"
#include "objects/modObjects.h"
#include "surface/clsOffScreenDC.h"
#include "view/JointElement.h"
#include "view/NodeElement.h"
#include "view/SceneDrawing.h"

#include <QImage>

#include <cstdint>

namespace quillax {

// The drawing area without a window: an object, its marker pools, a kept background with its drawing
// context and the grid's tile surface, under the same view state and drawing steps as the editor.
class MeshScene {
public:
    MeshScene(int16_t width, int16_t height);
    MeshScene(const MeshScene&) = delete;
    MeshScene& operator=(const MeshScene&) = delete;

    // What the load command does with a loaded object: a node and joint per point and line, mesh 0 chosen.
    void Show(ObjectFile object, ObjectPlacement placement);
    // What choosing a mesh in the list does: every mark cleared, the chosen mesh in full colour.
    void ChooseMesh(int32_t listIndex);
    void MarkPoint(int32_t index);
    void MarkLine(int32_t index);
    // Places the markers and draws the background: the grid, or black when it is off or undrawable.
    void Redraw();
    // The background with the markers painted on it, as the drawing area shows it.
    QImage Picture() const;

    const ObjectFile& Object() const { return Model; }
    const NodePool& Nodes() const { return Node; }
    const JointPool& Joints() const { return Joint; }
    // The mapping the markers and the grid are drawn with.
    ViewTransform View() const;
    int16_t CellSize() const;

    float ViewScale = 4.0f;
    int16_t GridSpacing = 5;
    bool ShowGrid = true;

private:
    Mesh& ChosenMesh();
    MeshSelection& ChosenSelection();

    ObjectFile Model;
    ObjectPlacement Placement;
    NodePool Node{NodeElement{}};
    JointPool Joint{JointElement{}};
    int32_t ListIndex = -1;
    int16_t Width;
    int16_t Height;
    BackBuffer Background;
    clsOffScreenDC Surface;
    int16_t GridTileSize = 0;
};

} // namespace quillax
