#pragma once

#include "recovery/LeftoverCopies.h"
#include "recovery/RecoverySlot.h"
#include "recovery/RecoveryWriter.h"

#include <QObject>
#include <QTimer>

#include <memory>
#include <string>
#include <vector>

namespace quillax {

class ObjectDocument;

// Keeps a recovery copy of the document while it has unsaved changes: written within a second of an
// edit (after a short quiet spell, or at the latest 0.75 s after the first edit not yet in a copy),
// on the writer's thread; removed when nothing is unsaved any more (a save, a discard, an undo back
// to the saved state) and when the keeper ends, which is a clean close. A copy for a changed object
// is made on this thread (the writer's bytes), and only written on the other.
class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    RecoveryKeeper(ObjectDocument& document, std::string folder, QObject* parent = nullptr);
    ~RecoveryKeeper() override;

    const std::string& Folder() const { return CopyFolder; }
    // Copies of editors that stopped without closing; this editor's own is never among them.
    std::vector<LeftoverCopy> Leftovers() const { return FindLeftovers(CopyFolder); }
    // The document now holds the copy's object as unsaved changes: the copy is this editor's from here
    // on, already written.
    void Adopt(const LeftoverCopy& copy);

private:
    void Edited();
    void NothingUnsaved();
    void WriteCopy();

    ObjectDocument& Document;
    std::string CopyFolder;
    RecoveryWriter Writer;
    std::shared_ptr<RecoverySlot> Own;
    bool HasCopy = false;
    QTimer Quiet;
    QTimer Latest;
};

} // namespace quillax
