#include "app/frmMain.h"

#include "browse/ListBox.h"
#include "edit/SpliceMeshesCommand.h"
#include "platform/Counted.h"
#include "platform/MessageBoxService.h"
#include "view/MarkerHitTest.h"

#include <QAction>
#include <QColorDialog>
#include <QMenuBar>
#include <QRubberBand>
#include <QUndoStack>

#include <algorithm>
#include <cmath>

namespace quillax {

namespace {
// Half the length of a new mesh, in pixels at the zoom it is made at.
constexpr double NewMeshReach = 20;

void Refuse(const std::string& reason) {
    MsgBox(reason, MsgBoxStyle::Exclamation, "Quillax Object Editor");
}

// The point of segment a-b nearest to p, in model units; p itself when the segment has no extent.
ModelPoint NearestOnSegment(ModelPoint a, ModelPoint b, ModelPoint p) {
    const double dx = b.X - a.X;
    const double dy = b.Y - a.Y;
    const double length = dx * dx + dy * dy;
    if (!(length > 0) || !std::isfinite(length)) {
        return p;
    }
    const double t = std::clamp(((p.X - a.X) * dx + (p.Y - a.Y) * dy) / length, 0.0, 1.0);
    return {a.X + t * dx, a.Y + t * dy};
}
} // namespace

void frmMain::BuildEditMenu() {
    UndoStack = new QUndoStack(this);
    mnuEditMenu = new QMenu("&Edit", this);
    mnuUndo = UndoStack->createUndoAction(this, "Undo");
    mnuUndo->setShortcut(QKeySequence::Undo);
    mnuRedo = UndoStack->createRedoAction(this, "Redo");
    mnuRedo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    mnuEditMenu->addAction(mnuUndo);
    mnuEditMenu->addAction(mnuRedo);
    mnuEditMenu->addSeparator();
    mnuMeshColour = mnuEditMenu->addAction("Mesh &Colour...");
    mnuNewMesh = mnuEditMenu->addAction("&New Mesh");
    mnuDeleteMesh = mnuEditMenu->addAction("&Delete Mesh");
    menuBar()->addMenu(mnuEditMenu);
}

void frmMain::WireEditing() {
    Route(mnuMeshColour, &QAction::triggered, &frmMain::mnuMeshColour_Click);
    Route(mnuNewMesh, &QAction::triggered, &frmMain::mnuNewMesh_Click);
    Route(mnuDeleteMesh, &QAction::triggered, &frmMain::mnuDeleteMesh_Click);
    // Through the handler guard, so an undo repaints and reads out as any edit does.
    disconnect(mnuUndo, &QAction::triggered, UndoStack, &QUndoStack::undo);
    disconnect(mnuRedo, &QAction::triggered, UndoStack, &QUndoStack::redo);
    Route(mnuUndo, &QAction::triggered, [](frmMain& window) { window.UndoStack->undo(); });
    Route(mnuRedo, &QAction::triggered, [](frmMain& window) { window.UndoStack->redo(); });
    connect(UndoStack, &QUndoStack::cleanChanged, this, [this](bool clean) { setWindowModified(!clean); });
}

void frmMain::picMain_DragBegan(QPoint from) {
    Dragging.reset();
    const int32_t chosen = LstMeshes->ListIndex();
    const MarkerRange range = ChosenMarkers();
    const std::optional<MarkerHit> hit = HitIn(range, from.x(), from.y());
    if (!hit || hit->Kind != MarkerKind::Point) {
        return;
    }
    const int32_t grabbed = hit->Index - range.FirstNode;
    const MeshSelection& marks = CurrentPlacement.Selections[static_cast<size_t>(chosen)];
    const Mesh& mesh = CurrentObject.Meshes[static_cast<size_t>(chosen)];
    std::vector<int32_t> moved = marks.PointFlags[static_cast<size_t>(grabbed)] != 0
                                     ? MarkedPoints(marks)
                                     : std::vector<int32_t>{grabbed};
    PointDrag drag{chosen, {}};
    for (const int32_t k : moved) {
        const float x = mesh.X[static_cast<size_t>(k)];
        const float y = mesh.Y[static_cast<size_t>(k)];
        drag.Moves.push_back({k, x, y, x, y});
    }
    Dragging = std::move(drag);
}

// The points follow the pointer in model units, from where they were when the drag began.
void frmMain::picMain_Dragged(QPoint from, QPoint to) {
    if (!Dragging) {
        Band->setGeometry(QRect(from, to).normalized());
        Band->show();
        return;
    }
    AimDrag(from, to);
    Mesh& mesh = CurrentObject.Meshes[static_cast<size_t>(Dragging->Mesh)];
    for (const MovePointsCommand::PointMove& move : Dragging->Moves) {
        mesh.X[static_cast<size_t>(move.Index)] = move.ToX;
        mesh.Y[static_cast<size_t>(move.Index)] = move.ToY;
    }
    RedrawView();
}

void frmMain::AimDrag(QPoint from, QPoint to) {
    const ViewTransform view = Scene.View();
    const ModelPoint start = ScreenToModel(view, from.x(), from.y());
    const ModelPoint now = ScreenToModel(view, to.x(), to.y());
    for (MovePointsCommand::PointMove& move : Dragging->Moves) {
        move.ToX = static_cast<float>(move.FromX + (now.X - start.X));
        move.ToY = static_cast<float>(move.FromY + (now.Y - start.Y));
    }
}

// A drag that moved pushes its moves unwritten: the command's first redo writes and shows them once.
void frmMain::picMain_DragEnded(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers) {
    Band->hide();
    if (!Dragging) {
        picMain_Band(from, to, modifiers.testFlag(Qt::ShiftModifier));
        return;
    }
    if (from == to) {
        picMain_Dragged(from, to);
        Dragging.reset();
        return;
    }
    AimDrag(from, to);
    PointDrag drag = std::move(*Dragging);
    Dragging.reset();
    UndoStack->push(new MovePointsCommand(CurrentObject, drag.Mesh, std::move(drag.Moves),
                                          [this](int32_t chosen) { ShowEditedObject(chosen); }));
}

void frmMain::picMain_Nudge(int32_t dx, int32_t dy) {
    const std::optional<int32_t> shown = ChosenMesh();
    if (!shown) {
        return;
    }
    const int32_t chosen = *shown;
    const Mesh& mesh = CurrentObject.Meshes[static_cast<size_t>(chosen)];
    std::vector<MovePointsCommand::PointMove> moves;
    for (const int32_t k : MarkedPoints(CurrentPlacement.Selections[static_cast<size_t>(chosen)])) {
        const float x = mesh.X[static_cast<size_t>(k)];
        const float y = mesh.Y[static_cast<size_t>(k)];
        moves.push_back({k, x, y, static_cast<float>(x + dx), static_cast<float>(y + dy)});
    }
    if (!moves.empty()) {
        UndoStack->push(new MovePointsCommand(CurrentObject, chosen, std::move(moves),
                                              [this](int32_t shown) { ShowEditedObject(shown); }));
    }
}

// On a line of the chosen mesh: a point where the line passes nearest to the pointer.
void frmMain::picMain_DoubleClick(int32_t x, int32_t y) {
    const int32_t chosen = LstMeshes->ListIndex();
    const MarkerRange range = ChosenMarkers();
    const std::optional<MarkerHit> hit = HitIn(range, x, y);
    if (!hit || hit->Kind != MarkerKind::Line) {
        return;
    }
    const int32_t line = hit->Index - range.FirstJoint;
    const MeshState state = MeshStateOf(CurrentObject, CurrentPlacement, chosen);
    if (const std::optional<std::string> reason = CannotInsertPoint(state, chosen)) {
        Refuse(*reason);
        return;
    }
    const auto k = static_cast<size_t>(line);
    const ModelPoint at =
        NearestOnSegment({state.Points.X[k], state.Points.Y[k]},
                         {state.Points.X[k + 1], state.Points.Y[k + 1]}, ScreenToModel(Scene.View(), x, y));
    PushEdit("Insert Point", chosen, {state},
             {WithInsertedPoint(state, line, static_cast<float>(at.X), static_cast<float>(at.Y))}, chosen);
}

void frmMain::DeleteMarkedPoints() {
    const std::optional<int32_t> shown = ChosenMesh();
    if (!shown) {
        return;
    }
    const int32_t chosen = *shown;
    const size_t marked = MarkedPoints(CurrentPlacement.Selections.at(static_cast<size_t>(chosen))).size();
    if (marked == 0) {
        return;
    }
    const MeshState state = MeshStateOf(CurrentObject, CurrentPlacement, chosen);
    if (const std::optional<std::string> reason = CannotDeleteMarkedPoints(state, chosen)) {
        Refuse(*reason);
        return;
    }
    PushEdit("Delete " + QString::fromStdString(Counted(marked, "Point", "Points")), chosen, {state},
             {WithoutMarkedPoints(state)}, chosen);
}

void frmMain::mnuMeshColour_Click() {
    const std::optional<int32_t> shown = ChosenMesh();
    if (!shown) {
        return;
    }
    const int32_t chosen = *shown;
    const MeshState state = MeshStateOf(CurrentObject, CurrentPlacement, chosen);
    const auto component = [](float value) {
        return std::isfinite(value) ? std::clamp(value, 0.0f, 1.0f) : 0.0f;
    };
    const QColor current = QColor::fromRgbF(component(state.Points.Red), component(state.Points.Green),
                                            component(state.Points.Blue));
    const QColor picked = QColorDialog::getColor(current, this, "Mesh Colour");
    if (!picked.isValid()) {
        return;
    }
    PushEdit("Mesh Colour", chosen, {state},
             {WithColour(state, static_cast<float>(picked.redF()), static_cast<float>(picked.greenF()),
                         static_cast<float>(picked.blueF()))},
             chosen);
}

// Near the middle of the view, across it: easy to find and to grab.
void frmMain::mnuNewMesh_Click() {
    if (const std::optional<std::string> reason = CannotAddMesh(CurrentObject)) {
        Refuse(*reason);
        return;
    }
    const ViewTransform view = Scene.View();
    const ModelPoint left = ScreenToModel(view, view.Width / 2.0 - NewMeshReach, view.Height / 2.0);
    const ModelPoint right = ScreenToModel(view, view.Width / 2.0 + NewMeshReach, view.Height / 2.0);
    const auto added = static_cast<int32_t>(CurrentObject.Meshes.size());
    PushEdit("New Mesh", added, {},
             {TwoPointMesh(static_cast<float>(left.X), static_cast<float>(left.Y),
                           static_cast<float>(right.X), static_cast<float>(right.Y))},
             added);
}

void frmMain::mnuDeleteMesh_Click() {
    const std::optional<int32_t> shown = ChosenMesh();
    if (!shown) {
        return;
    }
    const int32_t chosen = *shown;
    if (const std::optional<std::string> reason = CannotDeleteMesh(CurrentObject)) {
        Refuse(*reason);
        return;
    }
    const int32_t left = MeshCountOf(CurrentObject) - 1;
    PushEdit("Delete Mesh", chosen, {MeshStateOf(CurrentObject, CurrentPlacement, chosen)}, {},
             std::min(chosen, left - 1));
}

void frmMain::PushEdit(const QString& text, int32_t first, std::vector<MeshState> before,
                       std::vector<MeshState> after, int32_t chosenAfter) {
    SpliceMeshesCommand::Splice splice{first, std::move(before), std::move(after), LstMeshes->ListIndex(),
                                       chosenAfter};
    UndoStack->push(new SpliceMeshesCommand(text, CurrentObject, CurrentPlacement, std::move(splice),
                                            [this](int32_t chosen) { ShowEditedObject(chosen); }));
}

void frmMain::ShowEditedObject(int32_t chosen) {
    Scene.FitPools();
    FitMeshList();
    LstMeshes->SetListIndexQuietly(chosen);
    FitStrips();
    ShowMarks();
}

void frmMain::FitMeshList() {
    while (LstMeshes->ListCount() > MeshCountOf(CurrentObject)) {
        LstMeshes->RemoveLastItem();
    }
    while (LstMeshes->ListCount() < MeshCountOf(CurrentObject)) {
        LstMeshes->AddItem("Mesh " + std::to_string(LstMeshes->ListCount()));
    }
}

} // namespace quillax
