#pragma once

#include "document/ObjectDocument.h"
#include "objects/modObjects.h"
#include "surface/clsOffScreenDC.h"
#include "view/DeferredBackground.h"
#include "view/MarkerStacking.h"
#include "view/MeshRedraw.h"
#include "view/SceneMarkers.h"
#include "view/ViewTransform.h"

#include <QImage>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <functional>
#include <memory>

namespace quillax {

// Everything the drawing area shows of a document and every step that draws it, for the editor's
// window and for pictures made without one: the marker pools, the view state, the background (which
// keeps what is drawn into it until it is cleared) and the grid's tile surface. The object, its marks
// and the chosen mesh are the document's, read as they are at each step.
class MeshScene {
public:
    // A scene of a document kept elsewhere: the window's.
    explicit MeshScene(const ObjectDocument& document);
    // A scene of a document of its own, on an area of width x height.
    MeshScene(int16_t width, int16_t height);
    MeshScene(const MeshScene&) = delete;
    MeshScene& operator=(const MeshScene&) = delete;

    // View state. ViewWidth and ViewHeight are the drawing area's size, the one value every step reads.
    float ViewScale = 4.0f;
    float ViewOffsetX = 0;
    float ViewOffsetY = 0;
    int16_t ViewWidth = 0;
    int16_t ViewHeight = 0;
    std::unique_ptr<clsOffScreenDC> Surface;
    int16_t GridTileSize = 0;
    int16_t GridSpacing = 5;
    bool ShowGrid = true;

    // The pools: where each point marker was placed, and how many segments there are. Every look
    // is derived from the document when it is painted, so a change of marks or of the chosen mesh
    // needs only a repaint.
    NodePool Node;
    JointPool Joint;
    // The markers as painting, hit testing and export see them; Node(n) and Joint(j) with every
    // property the redraw gives them.
    SceneMarkers Markers() const;
    NodeElement NodeAt(int32_t index) const { return Markers().NodeAt(index); }
    JointElement JointAt(int32_t index) const { return Markers().JointAt(index); }
    // What the pools take for each point of the object: its marker's position.
    static constexpr uint64_t MarkerBytesPerPoint = sizeof(PackedPoint);

    const ObjectDocument& Document() const { return Shown; }
    const ObjectFile& Object() const { return Shown.Object(); }

    // The marker pools, one marker or segment at a time. A segment joins the markers of its line's
    // points, which the load command gives as its ends.
    void LoadNodes(float x, float y);
    void LoadJoints(float x1, float y1, float x2, float y2);
    void UnloadNodes();
    void UnloadJoints();
    // What the load command does with a loaded object: every point of every mesh in order gets a
    // node at its position, every point after a mesh's first a joint from the point before it;
    // `added` hears of each mesh after its markers are in the pools, with its point count.
    using MarkerAdded = std::function<void(int16_t meshIndex, int32_t points)>;
    void LoadMarkers(const MarkerAdded& added);
    // As many markers as the object has points, and segments as it has lines: the redraw places them.
    void FitPools();

    // Places every marker, then draws the background: the grid, or black.
    void RedrawView();
    void PlaceMarkers();
    // The chosen mesh and its marks over the rest, as they are now.
    MarkerStacking Stacking() const;
    void DrawBackground();
    // Tiles the grid of cellSize over the area; black when there is no cell or no origin.
    void DrawGrid(int16_t cellSize);
    void Cls();

    // The drawing area's size: the view's width and height (held to the 16-bit range), and the
    // background's, which keeps what is drawn into it across resizes (new area black) until cleared.
    void SetArea(QSize area);
    QSize Area() const { return {ViewWidth, ViewHeight}; }
    QImage& Background() { return BackgroundSteps.Image(); }
    const QImage& Background() const { return BackgroundSteps.Image(); }
    // The background with the markers painted over it, into `picture` (its memory reused); only
    // `area` of it is made.
    void Render(QImage& picture, QRect area) const;
    QImage Picture() const;
    // The markers of the meshes the document hides, which are neither painted nor found.
    std::vector<MarkerRange> HiddenMarkers() const;

    // The mapping the markers and the grid are drawn with, the angle read now.
    ViewTransform View() const;
    int16_t CellSize() const;

    // A scene of its own: the object shown, mesh 0 chosen; a mesh chosen (every mark cleared); a
    // point or line of the chosen mesh marked.
    void Show(ObjectFile object, ObjectPlacement placement);
    void ChooseMesh(int32_t mesh);
    void MarkPoint(int32_t index);
    void MarkLine(int32_t index);

private:
    // The background at the area's size, at least one pixel each way.
    QSize BackgroundSize() const;
    void Mark(bool line, int32_t index);

    std::unique_ptr<ObjectDocument> Own;
    const ObjectDocument& Shown;
    DeferredBackground BackgroundSteps;
};

} // namespace quillax
