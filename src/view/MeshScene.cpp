#include "view/MeshScene.h"

#include "platform/RuntimeError.h"
#include "view/MarkerPainter.h"
#include "view/MeshRedraw.h"
#include "view/ViewZoom.h"

#include <QPainter>

#include <string>
#include <utility>

namespace quillax {

MeshScene::MeshScene(int16_t width, int16_t height)
    : Width(width), Height(height), Background(width, height) {}

void MeshScene::Show(ObjectFile object, ObjectPlacement placement) {
    Model = std::move(object);
    Placement = std::move(placement);
    LoadObjectMarkers(
        Model, View(), [this](int16_t, float x, float y) { LoadNodeMarker(Node, x, y); },
        [this](int16_t, float x1, float y1, float x2, float y2) { LoadJointMarker(Joint, x1, y1, x2, y2); });
    ChooseMesh(0);
}

void MeshScene::ChooseMesh(int32_t listIndex) {
    if (listIndex < 0 || listIndex >= Model.MeshCount) {
        RaiseError(ErrNo::SubscriptOutOfRange, "mesh " + std::to_string(listIndex));
    }
    ClearSelections(Placement);
    ListIndex = listIndex;
}

void MeshScene::MarkPoint(int32_t index) {
    if (index < 0 || index >= ChosenMesh().PointCount) {
        RaiseError(ErrNo::SubscriptOutOfRange, "point " + std::to_string(index));
    }
    ChosenSelection().PointFlags[static_cast<size_t>(index)] = -1;
}

void MeshScene::MarkLine(int32_t index) {
    if (index < 0 || index >= ChosenMesh().PointCount - 1) {
        RaiseError(ErrNo::SubscriptOutOfRange, "line " + std::to_string(index));
    }
    ChosenSelection().LineFlags[static_cast<size_t>(index)] = -1;
}

void MeshScene::Redraw() {
    const ViewTransform view = View();
    PlaceMarkers(Node, Joint, Model, Placement, view, [this] { return ListIndex; });
    if (!ShowGrid || !DrawGridTiles(Background.hDC(), Background.Width(), Background.Height(), Surface,
                                    GridTileSize, view, CellSize())) {
        Background.FillBlack();
    }
}

QImage MeshScene::Picture() const {
    QImage picture = Background.Image().copy();
    QPainter painter(&picture);
    PaintMarkers(painter, Node, Joint);
    return picture;
}

ViewTransform MeshScene::View() const {
    return MakeViewTransform(Model, Placement, ViewScale, 0, 0, Width, Height);
}

int16_t MeshScene::CellSize() const {
    return GridCellSize(GridSpacing, ViewScale);
}

Mesh& MeshScene::ChosenMesh() {
    return Model.Meshes.at(static_cast<size_t>(ListIndex));
}

MeshSelection& MeshScene::ChosenSelection() {
    return Placement.Selections.at(static_cast<size_t>(ListIndex));
}

} // namespace quillax
