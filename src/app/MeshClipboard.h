#pragma once

#include "document/ObjectDocument.h"
#include "objects/modObjects.h"

#include <QObject>

#include <memory>
#include <optional>
#include <vector>

class QClipboard;
class QMimeData;

namespace quillax {

// Meshes on the clipboard under a type of our own: the bytes of an object file holding just them, so
// that every bit (NaN payloads, ExtraValue, ExtraWord) goes across.
inline constexpr char MeshesMimeType[] = "application/x-quillax-meshes";

// The meshes under our type, with the centre of the object they came from, and as text the JSON that
// `quillax info --json --points` writes for that object, for a text editor or a script.
std::unique_ptr<QMimeData> MeshesMimeData(const std::vector<Mesh>& meshes, float centreX, float centreY);
// The meshes of clipboard data: ours, else JSON text of one object or of info's array of them (every
// element's meshes); none for anything else, or for data that does not read whole.
std::optional<std::vector<Mesh>> MeshesFromMimeData(const QMimeData* data);

// Copy, Cut, Paste and Duplicate of meshes through the system clipboard, so that two editors, or an
// editor and a script, exchange them. Each edit is one step on the document.
class MeshClipboard : public QObject {
    Q_OBJECT
public:
    MeshClipboard(ObjectDocument& document, QClipboard& clipboard, QObject* parent = nullptr);

    // The marked points of the chosen mesh as a polyline, else the chosen mesh.
    void Copy();
    // Copy, then the delete of the marked points or of the chosen mesh; nothing when that delete is
    // refused.
    void Cut();
    // The clipboard's meshes added after the others, at their own coordinates; the first is chosen and
    // its points marked.
    void Paste();
    // Copy and paste as one step, leaving the clipboard as it is.
    void Duplicate();
    // Whether the clipboard holds meshes.
    bool CanPaste() const { return Pasteable; }

signals:
    void PasteableChanged(bool pasteable);

private:
    void Put(const std::vector<Mesh>& meshes);
    void ClipboardChanged();

    ObjectDocument& Document;
    QClipboard& Board;
    bool Pasteable = false;
};

} // namespace quillax
