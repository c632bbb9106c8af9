#include "app/StructureMenus.h"

#include "browse/ListBox.h"
#include "browse/ListRowMover.h"
#include "document/ClosedOutline.h"
#include "document/StructureEdits.h"

#include <QAction>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>

#include <algorithm>

namespace quillax {

namespace {
// The entry after `item` in a list of entries; none when it is the last or absent.
QAction* After(const QList<QAction*>& entries, const QAction* item) {
    const auto at = std::find(entries.begin(), entries.end(), item);
    return at != entries.end() && at + 1 != entries.end() ? *(at + 1) : nullptr;
}
} // namespace

StructureMenus::StructureMenus(QMainWindow& window, HandlerGuard& guard, ObjectDocument& document,
                               ListBox& list, QMenu& edit)
    : QObject(&window), Window(window), Guard(guard), Document(document), List(list),
      Clipboard(document, *QGuiApplication::clipboard()), ListState(list, document) {
    BuildClipboardEntries(edit);
    BuildMeshMenu(edit);
    WireList();
    WireDocument();
    UpdateEntries();
}

// Where editors keep them: after Undo and Redo, before the entries of the chosen mesh.
void StructureMenus::BuildClipboardEntries(QMenu& edit) {
    const QList<QAction*> existing = edit.actions();
    const auto separator =
        std::find_if(existing.begin(), existing.end(), [](QAction* a) { return a->isSeparator(); });
    QAction* before = separator != existing.end() ? After(existing, *separator) : nullptr;
    const auto insert = [&edit, before](QAction* action) { edit.insertAction(before, action); };
    insert(Make("mnuCut", "Cu&t", QKeySequence::Cut, [this] { Clipboard.Cut(); }));
    insert(Make("mnuCopy", "&Copy", QKeySequence::Copy, [this] { Clipboard.Copy(); }));
    insert(Make("mnuPaste", "&Paste", QKeySequence::Paste, [this] { Clipboard.Paste(); }));
    insert(Make("mnuDuplicate", "D&uplicate", QKeySequence(Qt::CTRL | Qt::Key_D),
                [this] { Clipboard.Duplicate(); }));
    edit.insertSeparator(before);
}

void StructureMenus::BuildMeshMenu(QMenu& edit) {
    MeshMenu = new QMenu("&Mesh", &Window);
    Window.menuBar()->insertMenu(After(Window.menuBar()->actions(), edit.menuAction()), MeshMenu);
    const auto add = [this](auto... entry) { MeshMenu->addAction(Make(entry...)); };
    add("mnuCloseOutline", "&Close Outline", QKeySequence(), [this] { CloseChosenOutline(Document); });
    add("mnuOpenOutline", "&Open Outline", QKeySequence(), [this] { OpenChosenOutline(Document); });
    add("mnuReverseMesh", "&Reverse Mesh", QKeySequence(Qt::SHIFT | Qt::Key_R),
        [this] { ReverseChosenMesh(Document); });
    MeshMenu->addSeparator();
    add("mnuMoveMeshUp", "Move Mesh &Up", QKeySequence(Qt::Key_PageUp),
        [this] { MoveChosenMesh(Document, Document.ChosenMesh() - 1); });
    add("mnuMoveMeshDown", "Move Mesh &Down", QKeySequence(Qt::Key_PageDown),
        [this] { MoveChosenMesh(Document, Document.ChosenMesh() + 1); });
    MeshMenu->addSeparator();
    add("mnuHideMesh", "&Hide Mesh", QKeySequence(Qt::CTRL | Qt::Key_H),
        [this] { Flip(&MeshViewState::Hidden); });
    add("mnuLockMesh", "&Lock Mesh", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L),
        [this] { Flip(&MeshViewState::Locked); });
    Entry("mnuHideMesh")->setCheckable(true);
    Entry("mnuLockMesh")->setCheckable(true);
}

// The list's context menu acts on the entry it opens over, which the right button has chosen.
void StructureMenus::WireList() {
    List.setContextMenuPolicy(Qt::ActionsContextMenu);
    List.addActions(MeshMenu->actions());
    connect(new ListRowMover(List), &ListRowMover::Moved, this,
            [this](int from, int to) { Guard.Run([this, from, to] { MoveMeshTo(Document, from, to); }); });
}

void StructureMenus::WireDocument() {
    for (const auto changed : {&ObjectDocument::ObjectReplaced, &ObjectDocument::MeshesChanged}) {
        connect(&Document, changed, this, &StructureMenus::ShowMeshes);
    }
    connect(&Document, &ObjectDocument::MeshViewChanged, this, &StructureMenus::ShowMeshes);
    connect(&Document, &ObjectDocument::ChosenMeshChanged, this, &StructureMenus::UpdateEntries);
    connect(&Document, &ObjectDocument::PointsMoved, this, &StructureMenus::UpdateEntries);
    connect(&Clipboard, &MeshClipboard::PasteableChanged, this, &StructureMenus::UpdateEntries);
}

QAction* StructureMenus::Make(const char* name, const QString& text, const QKeySequence& keys,
                              std::function<void()> handler) {
    auto* action = new QAction(text, &Window);
    action->setObjectName(name);
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, [this, handler] { Guard.Run(handler); });
    Entries.insert(name, action);
    return action;
}

void StructureMenus::ShowMeshes() {
    ListState.Show();
    UpdateEntries();
}

void StructureMenus::Flip(bool MeshViewState::*part) {
    if (Document.HasChosenMesh()) {
        MeshViewState state = Document.ViewStateOf(Document.ChosenMesh());
        state.*part = !(state.*part);
        Document.SetViewState(Document.ChosenMesh(), state);
    }
}

void StructureMenus::UpdateEntries() {
    const bool chosen = Document.HasChosenMesh();
    const int32_t index = Document.ChosenMesh();
    const bool closed = chosen && IsClosedOutline(Document.Object().Meshes[static_cast<size_t>(index)]);
    const MeshViewState state = Document.ViewStateOf(index);
    for (const char* name :
         {"mnuCut", "mnuCopy", "mnuDuplicate", "mnuReverseMesh", "mnuHideMesh", "mnuLockMesh"}) {
        Entry(name)->setEnabled(chosen);
    }
    Entry("mnuPaste")->setEnabled(Clipboard.CanPaste());
    Entry("mnuCloseOutline")->setEnabled(chosen && !closed);
    Entry("mnuOpenOutline")->setEnabled(closed);
    Entry("mnuMoveMeshUp")->setEnabled(chosen && index > 0);
    Entry("mnuMoveMeshDown")->setEnabled(chosen && index + 1 < MeshCountOf(Document.Object()));
    Entry("mnuHideMesh")->setChecked(state.Hidden);
    Entry("mnuLockMesh")->setChecked(state.Locked);
}

} // namespace quillax
