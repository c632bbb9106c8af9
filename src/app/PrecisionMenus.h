#pragma once

#include "app/CoordinateFields.h"
#include "app/HandlerGuard.h"
#include "document/ObjectDocument.h"
#include "document/TransformEdits.h"
#include "gestures/GridSnap.h"
#include "gestures/NavigationGesture.h"
#include "view/MeshScene.h"

#include <QKeySequence>
#include <QObject>
#include <QString>

#include <functional>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;

namespace quillax {

// The tools for exact shapes: the View menu (Snap to Grid, Zoom to Selection), the turns, scales
// and flips of the Edit menu with what they are made about, the Object Centre entry, and the
// coordinate fields of the Controls frame. Each entry runs through the window's handler guard.
class PrecisionMenus : public QObject {
public:
    // `snap` is the window's setting, which the menu turns on and off.
    PrecisionMenus(QMainWindow& window, HandlerGuard& guard, ObjectDocument& document, MeshScene& scene,
                   GridSnap& snap, QWidget& frame);

    CoordinateFields& Fields() { return Coordinates; }

private:
    void BuildViewMenu();
    void BuildEditEntries(QMenu* edit);
    void BuildAboutChoice(QMenu* edit);
    QAction* Add(QMenu* menu, const char* name, const QString& text, const QKeySequence& keys,
                 std::function<void()> handler);
    void SetAbout(TransformAbout about);
    void AskRotation();
    void AskScale();
    void AskObjectCentre();
    // The entries are offered while a mesh is chosen, as it is whenever an object is open.
    void EnableEntries();

    QMainWindow& Window;
    HandlerGuard& Guard;
    ObjectDocument& Document;
    GridSnap& Snap;
    NavigationGesture Navigation;
    CoordinateFields Coordinates;
    TransformAbout About = TransformAbout::MarkedPoints;
    QAction* AboutMarked = nullptr;
    QAction* AboutObject = nullptr;
    std::vector<QAction*> MeshEntries;
};

} // namespace quillax
