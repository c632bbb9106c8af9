#pragma once

#include "app/FileCommands.h"
#include "app/HandlerGuard.h"
#include "document/ObjectDocument.h"
#include "gestures/GridSnap.h"
#include "view/MeshScene.h"

#include <QKeySequence>
#include <QString>

#include <functional>
#include <string>

class QAction;
class QMainWindow;
class QMenu;

namespace quillax {

// The menus beyond the design, File and Edit, on the window's menu bar before the designed one. Each
// entry runs through the window's handler guard; entries are found by their object names.
class EditorMenus {
public:
    // `open` does with a file what the load command does with the fixed one; a new mesh's points
    // land on the grid as `snap` says.
    EditorMenus(QMainWindow& window, HandlerGuard& guard, ObjectDocument& document, const MeshScene& scene,
                FileCommands& files, const GridSnap& snap, std::function<void(const std::string&)> open);

    QMenu& EditMenu() const { return *Edit; }

private:
    void BuildFileMenu();
    void BuildEditMenu();
    QAction* Add(QMenu* menu, const char* name, const QString& text, const QKeySequence& keys,
                 std::function<void()> handler);
    // Runs the handler each time the action is triggered.
    void Route(QAction* action, std::function<void()> handler);
    // Every entry that cannot act on the document as it is now is disabled.
    void EnableWhatCanAct();
    void OpenObject();
    void RecolourChosenMesh();
    void AddMeshInView();

    QMainWindow& Window;
    HandlerGuard& Guard;
    ObjectDocument& Document;
    const MeshScene& Scene;
    FileCommands& Files;
    const GridSnap& Snap;
    std::function<void(const std::string&)> Open;
    QAction* SaveEntry = nullptr;
    QAction* SaveAsEntry = nullptr;
    QAction* ExportEntry = nullptr;
    QAction* ColourEntry = nullptr;
    QAction* NewMeshEntry = nullptr;
    QAction* DeleteMeshEntry = nullptr;
    QMenu* Edit = nullptr;
};

} // namespace quillax
