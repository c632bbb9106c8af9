#include "app/EditorMenus.h"

#include "document/DocumentEdits.h"
#include "document/EditSupport.h"
#include "view/ViewNavigation.h"

#include <QAction>
#include <QColorDialog>
#include <QMainWindow>
#include <QMenuBar>
#include <QUndoStack>

#include <algorithm>
#include <cmath>

namespace quillax {

namespace {
// Half the length of a new mesh, in pixels at the zoom it is made at.
constexpr double NewMeshReach = 20;

float Component(float value) {
    return std::isfinite(value) ? std::clamp(value, 0.0f, 1.0f) : 0.0f;
}
} // namespace

EditorMenus::EditorMenus(QMainWindow& window, HandlerGuard& guard, ObjectDocument& document,
                         const MeshScene& scene, FileCommands& files, const GridSnap& snap,
                         std::function<void(const std::string&)> open)
    : Window(window), Guard(guard), Document(document), Scene(scene), Files(files), Snap(snap),
      Open(std::move(open)) {
    BuildFileMenu();
    BuildEditMenu();
    for (const auto changed : {&ObjectDocument::ObjectReplaced, &ObjectDocument::MeshesChanged}) {
        QObject::connect(&Document, changed, &Window, [this] { EnableWhatCanAct(); });
    }
    QObject::connect(&Document, &ObjectDocument::ChosenMeshChanged, &Window, [this] { EnableWhatCanAct(); });
    EnableWhatCanAct();
}

void EditorMenus::EnableWhatCanAct() {
    const bool object = MeshCountOf(Document.Object()) > 0;
    for (QAction* entry : {SaveEntry, SaveAsEntry, ExportEntry}) {
        entry->setEnabled(object);
    }
    ColourEntry->setEnabled(Document.HasChosenMesh());
    NewMeshEntry->setEnabled(!CannotAddMesh(Document.Object()));
    DeleteMeshEntry->setEnabled(Document.HasChosenMesh() && !CannotDeleteMesh(Document.Object()));
}

void EditorMenus::BuildFileMenu() {
    QMenu* file = Window.menuBar()->addMenu("&File");
    Add(file, "mnuOpen", "&Open...", QKeySequence::Open, [this] { OpenObject(); });
    SaveEntry = Add(file, "mnuSave", "&Save", QKeySequence::Save, [this] { Files.Save(); });
    SaveAsEntry = Add(file, "mnuSaveAs", "Save &As...", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
                      [this] { Files.SaveAs(); });
    file->addSeparator();
    ExportEntry = Add(file, "mnuExportView", "&Export View...", {}, [this] { Files.ExportViewAs(); });
    file->addSeparator();
    QAction* quit = file->addAction("&Quit");
    quit->setObjectName("mnuQuit");
    quit->setShortcut(QKeySequence::Quit);
    QObject::connect(quit, &QAction::triggered, &Window, &QWidget::close);
}

// Undo and Redo run through the handler guard, so an error in a step is reported, not lost.
void EditorMenus::BuildEditMenu() {
    QMenu* edit = Edit = Window.menuBar()->addMenu("&Edit");
    edit->setObjectName("mnuEdit");
    QUndoStack& history = Document.History();
    QAction* undo = history.createUndoAction(edit, "Undo");
    undo->setObjectName("mnuUndo");
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = history.createRedoAction(edit, "Redo");
    redo->setObjectName("mnuRedo");
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction* step : {undo, redo}) {
        QObject::disconnect(step, &QAction::triggered, &history, nullptr);
        edit->addAction(step);
    }
    Route(undo, [&history] { history.undo(); });
    Route(redo, [&history] { history.redo(); });
    edit->addSeparator();
    ColourEntry = Add(edit, "mnuMeshColour", "Mesh &Colour...", {}, [this] { RecolourChosenMesh(); });
    NewMeshEntry = Add(edit, "mnuNewMesh", "&New Mesh", {}, [this] { AddMeshInView(); });
    DeleteMeshEntry = Add(edit, "mnuDeleteMesh", "&Delete Mesh", {}, [this] { DeleteChosenMesh(Document); });
}

QAction* EditorMenus::Add(QMenu* menu, const char* name, const QString& text, const QKeySequence& keys,
                          std::function<void()> handler) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    action->setShortcut(keys);
    Route(action, std::move(handler));
    return action;
}

void EditorMenus::Route(QAction* action, std::function<void()> handler) {
    QObject::connect(action, &QAction::triggered, &Window, [this, handler] { Guard.Run(handler); });
}

void EditorMenus::OpenObject() {
    if (!Files.ChangesMayGo()) {
        return;
    }
    if (const std::optional<std::string> chosen = Files.ChooseObjectFile()) {
        Open(*chosen);
    }
}

void EditorMenus::RecolourChosenMesh() {
    if (!Document.HasChosenMesh() || Refused(CannotEditMesh(Document, Document.ChosenMesh()))) {
        return;
    }
    const Mesh& mesh = Document.Object().Meshes[static_cast<size_t>(Document.ChosenMesh())];
    const QColor current = QColor::fromRgbF(Component(mesh.Red), Component(mesh.Green), Component(mesh.Blue));
    const QColor picked = QColorDialog::getColor(current, &Window, "Mesh Colour");
    if (picked.isValid()) {
        RecolourMesh(Document, static_cast<float>(picked.redF()), static_cast<float>(picked.greenF()),
                     static_cast<float>(picked.blueF()));
    }
}

// Near the middle of the view, across it: easy to find and to grab. Snapped, the two points stay
// apart by at least one grid spacing.
void EditorMenus::AddMeshInView() {
    const ViewTransform view = Scene.View();
    const ModelPoint left = Snap.Placed(
        ScreenToModel(view, view.Width / 2.0 - NewMeshReach, view.Height / 2.0), Scene.GridSpacing);
    ModelPoint right = Snap.Placed(ScreenToModel(view, view.Width / 2.0 + NewMeshReach, view.Height / 2.0),
                                   Scene.GridSpacing);
    if (Snap.On && right.X <= left.X) {
        right.X = left.X + Scene.GridSpacing;
    }
    AddMesh(Document,
            TwoPointMesh(static_cast<float>(left.X), static_cast<float>(left.Y), static_cast<float>(right.X),
                         static_cast<float>(right.Y), Document.Object()));
}

} // namespace quillax
