#pragma once

#include "app/HandlerGuard.h"
#include "app/MeshClipboard.h"
#include "app/MeshListState.h"
#include "document/ObjectDocument.h"

#include <QHash>
#include <QKeySequence>
#include <QString>

#include <functional>

class QAction;
class QMainWindow;
class QMenu;

namespace quillax {

class ListBox;

// The structure of the object on the menus: Cut, Copy, Paste and Duplicate in the Edit menu (before
// its mesh entries), and a Mesh menu with Close Outline, Open Outline, Reverse Mesh, Move Mesh Up and
// Down, Hide Mesh and Lock Mesh, after the Edit menu, which the mesh list's context menu offers too.
// Dragging an entry of the list moves its mesh. Entries are enabled and checked as the chosen mesh
// allows, and found by their object names; each runs through the window's handler guard. Made after
// the window listens to the document, so that the list has its entries when their states are shown.
class StructureMenus : public QObject {
public:
    StructureMenus(QMainWindow& window, HandlerGuard& guard, ObjectDocument& document, ListBox& list,
                   QMenu& edit);

private:
    void BuildClipboardEntries(QMenu& edit);
    void BuildMeshMenu(QMenu& edit);
    void WireList();
    void WireDocument();
    // A new entry that runs `handler`, not yet on a menu.
    QAction* Make(const char* name, const QString& text, const QKeySequence& keys,
                  std::function<void()> handler);
    void ShowMeshes();
    // The chosen mesh's view state with one part flipped.
    void Flip(bool MeshViewState::*part);
    void UpdateEntries();
    QAction* Entry(const char* name) const { return Entries.value(name); }

    QMainWindow& Window;
    HandlerGuard& Guard;
    ObjectDocument& Document;
    ListBox& List;
    MeshClipboard Clipboard;
    MeshListState ListState;
    QMenu* MeshMenu = nullptr;
    QHash<QString, QAction*> Entries;
};

} // namespace quillax
