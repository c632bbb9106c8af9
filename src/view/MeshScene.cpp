#include "view/MeshScene.h"

#include "gdi/PictureService.h"
#include "platform/ByteArray2D.h"
#include "platform/RuntimeError.h"
#include "view/GridTiling.h"
#include "view/MarkerPainter.h"
#include "view/NewImage.h"
#include "view/ViewZoom.h"

#include <QPainter>

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>
#include <utility>

namespace quillax {

namespace {
// Makes the surface hold the tile of cellSize cut to width x height, rebuilding it only when the
// cell size or that cut changed; false when the surface could not make it (it has said why).
bool HoldGridTile(clsOffScreenDC& surface, int16_t& tileSize, int16_t cellSize, int32_t width,
                  int32_t height) {
    if (cellSize != tileSize || surface.GetWidth() != width || surface.GetHeight() != height) {
        surface.CreateImage(height, width);
        ByteArray2D tile;
        surface.GetByteArray(tile);
        PaintGridTile(tile);
        surface.SetByteArray(tile);
        tileSize = cellSize;
    }
    return surface.GetWidth() == width && surface.GetHeight() == height;
}
// The points and lines of every mesh.
std::pair<int64_t, int64_t> TotalsOf(const ObjectFile& object) {
    int64_t points = 0;
    int64_t lines = 0;
    for (const Mesh& mesh : object.Meshes) {
        points += PointsOf(mesh);
        lines += LinesOf(mesh);
    }
    return {points, lines};
}

// How many elements a pool holds: an empty pool keeps one hidden element.
template <typename Pool> int32_t Held(const Pool& pool) {
    return pool.IsEmpty() ? 0 : pool.Count();
}
} // namespace

MeshScene::MeshScene(const ObjectDocument& document) : Shown(document) {}

MeshScene::MeshScene(int16_t width, int16_t height)
    : Surface(std::make_unique<clsOffScreenDC>()), Own(std::make_unique<ObjectDocument>()), Shown(*Own) {
    SetArea(QSize(width, height));
}

void MeshScene::LoadNodes(float x, float y) {
    Node.Add(Packed(x, y));
}

// The ends are those of the markers it joins.
void MeshScene::LoadJoints(float, float, float, float) {
    Joint.Add();
}

void MeshScene::UnloadNodes() {
    Node.DropLast();
}

void MeshScene::UnloadJoints() {
    Joint.DropLast();
}

// The pools take their final size at once, and the markers are placed in one pass with the view the
// load began with, where each would have been placed as it came.
void MeshScene::LoadMarkers(const MarkerAdded& added) {
    const ObjectFile& model = Object();
    const ViewTransform view = View();
    const auto [points, lines] = TotalsOf(model);
    Node.Reserve(static_cast<size_t>(Node.Count() + points));
    for (int16_t i = 0; i < model.MeshCount; ++i) {
        const int16_t count = model.Meshes[static_cast<size_t>(i)].PointCount;
        Node.Grow(count);
        Joint.Grow(count - 1);
        added(i, count);
    }
    quillax::PlaceMarkers(Node, model, view);
}

void MeshScene::FitPools() {
    const auto [points, lines] = TotalsOf(Object());
    Node.Reserve(static_cast<size_t>(points));
    Node.Grow(points - Held(Node));
    while (Held(Node) > points) {
        UnloadNodes();
    }
    Joint.Grow(lines - Held(Joint));
    while (Held(Joint) > lines) {
        UnloadJoints();
    }
}

void MeshScene::RedrawView() {
    PlaceMarkers();
    DrawBackground();
}

void MeshScene::PlaceMarkers() {
    quillax::PlaceMarkers(Node, Object(), View());
}

SceneMarkers MeshScene::Markers() const {
    return SceneMarkers(Node, Joint, Object(), Shown.Placement(), Shown.ChosenMesh());
}

MarkerStacking MeshScene::Stacking() const {
    return StackingOf(Object(), Shown.Placement(), Shown.ChosenMesh(), Node, Joint);
}

void MeshScene::DrawBackground() {
    if (ShowGrid) {
        DrawGrid(CellSize());
    } else {
        Cls();
    }
}

void MeshScene::DrawGrid(int16_t cellSize) {
    const QSize area = BackgroundSize();
    BackgroundSteps.Resize(area);
    const std::optional<GridLayout> layout = LayOutGrid(View(), cellSize, area.width(), area.height());
    // Without a cell, an origin or a tile, the background stays plain.
    if (!Surface || !layout ||
        !HoldGridTile(*Surface, GridTileSize, cellSize, layout->TileWidth, layout->TileHeight)) {
        Cls();
        return;
    }
    BackgroundSteps.PaintGrid(area, PictureToImage(Surface->GetPictureObject()), *layout);
}

void MeshScene::Cls() {
    BackgroundSteps.Clear(BackgroundSize());
}

void MeshScene::SetArea(QSize area) {
    const auto most = static_cast<int>(std::numeric_limits<int16_t>::max());
    ViewWidth = static_cast<int16_t>(std::clamp(area.width(), 0, most));
    ViewHeight = static_cast<int16_t>(std::clamp(area.height(), 0, most));
    BackgroundSteps.Resize(BackgroundSize());
}

QSize MeshScene::BackgroundSize() const {
    return Area().expandedTo(QSize(1, 1));
}

// A partial repaint (the rubber band's, every mouse move) copies and paints only its area; a
// one-rectangle clip keeps the markers on the direct pixel path.
void MeshScene::Render(QImage& picture, QRect area) const {
    const QImage& background = BackgroundSteps.Image();
    if (picture.size() != background.size() || picture.format() != background.format()) {
        picture = NewImage(background.size(), background.format());
    }
    area &= background.rect();
    const auto pixelBytes = static_cast<size_t>(background.depth() / 8);
    const size_t left = static_cast<size_t>(area.left()) * pixelBytes;
    const size_t width = static_cast<size_t>(area.width()) * pixelBytes;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        std::memcpy(picture.scanLine(y) + left, background.constScanLine(y) + left, width);
    }
    QPainter painter(&picture);
    painter.setClipRect(area);
    PaintMarkers(painter, Markers(), Stacking(), HiddenMarkers());
}

std::vector<MarkerRange> MeshScene::HiddenMarkers() const {
    return MarkersOfMeshes(Object(), Node, Joint,
                           [this](int32_t mesh) { return Shown.ViewStateOf(mesh).Hidden; });
}

QImage MeshScene::Picture() const {
    QImage picture;
    Render(picture, Background().rect());
    return picture;
}

ViewTransform MeshScene::View() const {
    return MakeViewTransform(Object(), Shown.Placement(), ViewScale, ViewOffsetX, ViewOffsetY, ViewWidth,
                             ViewHeight);
}

int16_t MeshScene::CellSize() const {
    return GridCellSize(GridSpacing, ViewScale);
}

void MeshScene::Show(ObjectFile object, ObjectPlacement placement) {
    Own->Replace(std::move(object), std::move(placement));
    LoadMarkers([](int16_t, int32_t) {});
    ChooseMesh(0);
}

void MeshScene::ChooseMesh(int32_t mesh) {
    if (mesh < 0 || mesh >= MeshCountOf(Object())) {
        RaiseError(ErrNo::SubscriptOutOfRange, "mesh " + std::to_string(mesh));
    }
    Own->ChooseMesh(mesh);
}

void MeshScene::MarkPoint(int32_t index) {
    Mark(false, index);
}

void MeshScene::MarkLine(int32_t index) {
    Mark(true, index);
}

void MeshScene::Mark(bool line, int32_t index) {
    const int32_t chosen = Shown.ChosenMesh();
    MeshSelection marks = *Shown.MarksOf(chosen);
    std::vector<int16_t>& flags = line ? marks.LineFlags : marks.PointFlags;
    const int32_t count = line ? LinesOf(Object().Meshes.at(static_cast<size_t>(chosen)))
                               : PointsOf(Object().Meshes.at(static_cast<size_t>(chosen)));
    if (index < 0 || index >= count) {
        RaiseError(ErrNo::SubscriptOutOfRange, (line ? "line " : "point ") + std::to_string(index));
    }
    flags[static_cast<size_t>(index)] = -1;
    Own->SetMarks(chosen, std::move(marks));
}

} // namespace quillax
