#include "app/frmMain.h"

#include "document/DocumentEdits.h"
#include "view/ViewNavigation.h"

#include <QAction>
#include <QColorDialog>
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

QAction* frmMain::AddAction(QMenu* menu, const char* name, const QString& text, const QKeySequence& keys) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    action->setShortcut(keys);
    return action;
}

// The menus beyond the design stand before the designed one, which stays as it is.
void frmMain::BuildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    Route(AddAction(file, "mnuOpen", "&Open...", QKeySequence::Open), &QAction::triggered,
          &frmMain::mnuOpen_Click);
    Route(AddAction(file, "mnuSave", "&Save", QKeySequence::Save), &QAction::triggered,
          [](frmMain& window) { window.Files->Save(); });
    Route(AddAction(file, "mnuSaveAs", "Save &As...", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)),
          &QAction::triggered, [](frmMain& window) { window.Files->SaveAs(); });
    file->addSeparator();
    Route(AddAction(file, "mnuExportView", "&Export View..."), &QAction::triggered,
          [](frmMain& window) { window.Files->ExportViewAs(); });
    file->addSeparator();
    connect(AddAction(file, "mnuQuit", "&Quit", QKeySequence::Quit), &QAction::triggered, this,
            &QWidget::close);
    BuildEditMenu();
    mnuFile = menuBar()->addMenu("Menu Bar [TODO]");
}

// Undo and Redo run through the handler guard, so an error in a step is reported, not lost.
void frmMain::BuildEditMenu() {
    QMenu* edit = menuBar()->addMenu("&Edit");
    QAction* undo = Open.History().createUndoAction(this, "Undo");
    undo->setObjectName("mnuUndo");
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = Open.History().createRedoAction(this, "Redo");
    redo->setObjectName("mnuRedo");
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction* step : {undo, redo}) {
        disconnect(step, &QAction::triggered, &Open.History(), nullptr);
        edit->addAction(step);
    }
    Route(undo, &QAction::triggered, [](frmMain& window) { window.Open.History().undo(); });
    Route(redo, &QAction::triggered, [](frmMain& window) { window.Open.History().redo(); });
    edit->addSeparator();
    Route(AddAction(edit, "mnuMeshColour", "Mesh &Colour..."), &QAction::triggered,
          &frmMain::mnuMeshColour_Click);
    Route(AddAction(edit, "mnuNewMesh", "&New Mesh"), &QAction::triggered, &frmMain::mnuNewMesh_Click);
    Route(AddAction(edit, "mnuDeleteMesh", "&Delete Mesh"), &QAction::triggered,
          [](frmMain& window) { DeleteChosenMesh(window.Open); });
}

void frmMain::mnuOpen_Click() {
    if (!Files->ChangesMayGo()) {
        return;
    }
    if (const std::optional<std::string> chosen = Files->ChooseObjectFile()) {
        LoadObject(*chosen);
    }
}

bool frmMain::SaveObject(const std::string& fileName) {
    return Files->SaveObject(fileName);
}

bool frmMain::ExportView(const std::string& fileName) {
    return Files->ExportView(fileName);
}

void frmMain::mnuMeshColour_Click() {
    if (!Open.HasChosenMesh()) {
        return;
    }
    const Mesh& mesh = CurrentObject.Meshes[static_cast<size_t>(Open.ChosenMesh())];
    const QColor current = QColor::fromRgbF(Component(mesh.Red), Component(mesh.Green), Component(mesh.Blue));
    const QColor picked = QColorDialog::getColor(current, this, "Mesh Colour");
    if (picked.isValid()) {
        RecolourMesh(Open, static_cast<float>(picked.redF()), static_cast<float>(picked.greenF()),
                     static_cast<float>(picked.blueF()));
    }
}

// Near the middle of the view, across it: easy to find and to grab.
void frmMain::mnuNewMesh_Click() {
    const ViewTransform view = Scene.View();
    const ModelPoint left = ScreenToModel(view, view.Width / 2.0 - NewMeshReach, view.Height / 2.0);
    const ModelPoint right = ScreenToModel(view, view.Width / 2.0 + NewMeshReach, view.Height / 2.0);
    AddMesh(Open, TwoPointMesh(static_cast<float>(left.X), static_cast<float>(left.Y),
                               static_cast<float>(right.X), static_cast<float>(right.Y)));
}

} // namespace quillax
