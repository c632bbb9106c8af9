#include "app/PrecisionMenus.h"

#include "app/NumberDialog.h"
#include "app/NumberEntry.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace quillax {

PrecisionMenus::PrecisionMenus(QMainWindow& window, HandlerGuard& guard, ObjectDocument& document,
                               MeshScene& scene, GridSnap& snap, QWidget& frame)
    : QObject(&window), Window(window), Guard(guard), Document(document), Snap(snap), Navigation(scene),
      Coordinates(frame, guard, document) {
    BuildEditEntries(Window.findChild<QMenu*>("mnuEdit"));
    BuildViewMenu();
    for (const auto signal : {&ObjectDocument::ObjectReplaced, &ObjectDocument::MeshesChanged}) {
        connect(&document, signal, this, &PrecisionMenus::EnableEntries);
    }
    connect(&document, &ObjectDocument::ChosenMeshChanged, this, &PrecisionMenus::EnableEntries);
    EnableEntries();
}

void PrecisionMenus::BuildViewMenu() {
    QMenu* view = Window.menuBar()->addMenu("&View");
    view->setObjectName("mnuView");
    QAction* snap = view->addAction("Snap to &Grid");
    snap->setObjectName("mnuSnapToGrid");
    snap->setCheckable(true);
    snap->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G));
    connect(snap, &QAction::toggled, this, [this](bool on) { Snap.On = on; });
    MeshEntries.push_back(Add(view, "mnuZoomToSelection", "&Zoom to Selection",
                              QKeySequence(Qt::SHIFT | Qt::Key_Home), [this] { Navigation.FitMarked(); }));
}

// Tiled's keys for the quarter turns and flips; none of them is in a "Mesh N" entry of the mesh list.
void PrecisionMenus::BuildEditEntries(QMenu* edit) {
    edit->addSeparator();
    MeshEntries = {
        Add(edit, "mnuRotate", "&Rotate...", QKeySequence(Qt::CTRL | Qt::Key_R), [this] { AskRotation(); }),
        Add(edit, "mnuRotateLeft", "Rotate 90\u00B0 &Left", QKeySequence(Qt::SHIFT | Qt::Key_Z),
            [this] { RotatePoints(Document, 90, About); }),
        Add(edit, "mnuRotateRight", "Rotate 90\u00B0 Ri&ght", QKeySequence(Qt::Key_Z),
            [this] { RotatePoints(Document, -90, About); }),
        Add(edit, "mnuScale", "&Scale...", QKeySequence(Qt::CTRL | Qt::Key_T), [this] { AskScale(); }),
        Add(edit, "mnuFlipHorizontal", "Flip &Horizontal", QKeySequence(Qt::Key_X),
            [this] { FlipPoints(Document, true, About); }),
        Add(edit, "mnuFlipVertical", "Flip &Vertical", QKeySequence(Qt::Key_Y),
            [this] { FlipPoints(Document, false, About); }),
    };
    BuildAboutChoice(edit);
    edit->addSeparator();
    MeshEntries.push_back(
        Add(edit, "mnuObjectCentre", "O&bject Centre...", {}, [this] { AskObjectCentre(); }));
}

void PrecisionMenus::BuildAboutChoice(QMenu* edit) {
    QMenu* about = edit->addMenu("Transform &About");
    about->setObjectName("mnuTransformAbout");
    auto* group = new QActionGroup(about);
    AboutMarked = about->addAction("Centre of the &Marked Points");
    AboutMarked->setObjectName("mnuAboutMarked");
    AboutObject = about->addAction("Centre of the &Object");
    AboutObject->setObjectName("mnuAboutObject");
    for (QAction* choice : {AboutMarked, AboutObject}) {
        choice->setCheckable(true);
        group->addAction(choice);
    }
    AboutMarked->setChecked(true);
    connect(AboutMarked, &QAction::triggered, this, [this] { SetAbout(TransformAbout::MarkedPoints); });
    connect(AboutObject, &QAction::triggered, this, [this] { SetAbout(TransformAbout::ObjectCentre); });
}

QAction* PrecisionMenus::Add(QMenu* menu, const char* name, const QString& text, const QKeySequence& keys,
                             std::function<void()> handler) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, [this, handler] { Guard.Run(handler); });
    return action;
}

void PrecisionMenus::SetAbout(TransformAbout about) {
    About = about;
    (about == TransformAbout::ObjectCentre ? AboutObject : AboutMarked)->setChecked(true);
}

void PrecisionMenus::AskRotation() {
    NumberDialog dialog(&Window, "Rotate");
    QLineEdit* angle = dialog.AddField("txtAngle", "Angle (degrees, counter-clockwise):", "90");
    dialog.AddAboutChoice(About);
    if (dialog.exec() == QDialog::Accepted) {
        SetAbout(dialog.About());
        RotatePoints(Document, *NumberIn(*angle), About);
    }
}

// With one factor for both, the vertical field follows the horizontal one.
void PrecisionMenus::AskScale() {
    NumberDialog dialog(&Window, "Scale");
    QLineEdit* across = dialog.AddField("txtFactorX", "Horizontal factor:", "2");
    QLineEdit* down = dialog.AddField("txtFactorY", "Vertical factor:", "2");
    QCheckBox* uniform = dialog.AddCheck("chkUniform", "&Same factor for both");
    dialog.AddAboutChoice(About);
    const auto follow = [across, down, uniform] {
        down->setEnabled(!uniform->isChecked());
        if (uniform->isChecked()) {
            down->setText(across->text());
        }
    };
    connect(uniform, &QCheckBox::toggled, &dialog, follow);
    connect(across, &QLineEdit::textChanged, &dialog, follow);
    uniform->setChecked(true);
    if (dialog.exec() == QDialog::Accepted) {
        SetAbout(dialog.About());
        ScalePoints(Document, *NumberIn(*across), *NumberIn(*down), About);
    }
}

void PrecisionMenus::AskObjectCentre() {
    const ObjectFile& object = Document.Object();
    NumberDialog dialog(&Window, "Object Centre");
    QLineEdit* x = dialog.AddField("txtCentreX", "CentreX:", FloatField(object.CentreX), true);
    QLineEdit* y = dialog.AddField("txtCentreY", "CentreY:", FloatField(object.CentreY), true);
    if (dialog.exec() == QDialog::Accepted) {
        MoveObjectCentre(Document, *FloatIn(*x), *FloatIn(*y));
    }
}

void PrecisionMenus::EnableEntries() {
    for (QAction* entry : MeshEntries) {
        entry->setEnabled(Document.HasChosenMesh());
    }
}

} // namespace quillax
