#include "recovery/RecoveryKeeper.h"

#include "document/ObjectDocument.h"
#include "objects/ObjectFileBytes.h"
#include "platform/RuntimeError.h"
#include "recovery/RecoveryAbout.h"

#include <QUndoStack>

namespace quillax {

namespace {
// A burst of edits (a drag, keys held down) is written once it pauses this long, and never later
// than three quarters of a second after its first edit: a copy lags the edits by little more than that,
// well within two seconds even while the window is slow to turn.
constexpr int QuietMilliseconds = 300;
constexpr int LatestMilliseconds = 750;
} // namespace

RecoveryKeeper::RecoveryKeeper(ObjectDocument& document, std::string folder, QObject* parent)
    : QObject(parent), Document(document), CopyFolder(std::move(folder)) {
    for (QTimer* timer : {&Quiet, &Latest}) {
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, this, &RecoveryKeeper::WriteCopy);
    }
    Quiet.setInterval(QuietMilliseconds);
    Latest.setInterval(LatestMilliseconds);
    connect(&Document.History(), &QUndoStack::indexChanged, this, &RecoveryKeeper::Edited);
    connect(&Document, &ObjectDocument::FileChanged, this, &RecoveryKeeper::Edited);
    connect(&Document, &ObjectDocument::ModifiedChanged, this,
            [this](bool modified) { modified ? Edited() : NothingUnsaved(); });
}

RecoveryKeeper::~RecoveryKeeper() {
    if (Own) {
        Writer.Release(Own);
    }
}

void RecoveryKeeper::Adopt(const LeftoverCopy& copy) {
    if (Own && Own != copy.Slot) {
        Writer.Release(Own);
    }
    Own = copy.Slot;
    HasCopy = true;
}

void RecoveryKeeper::Edited() {
    if (!Document.IsModified()) {
        return;
    }
    Quiet.start();
    if (!Latest.isActive()) {
        Latest.start();
    }
}

void RecoveryKeeper::NothingUnsaved() {
    Quiet.stop();
    Latest.stop();
    if (HasCopy) {
        Writer.Remove(Own);
        HasCopy = false;
    }
}

// An object the format cannot hold has no copy; the save says why when it is tried.
void RecoveryKeeper::WriteCopy() {
    Quiet.stop();
    Latest.stop();
    if (!Document.IsModified()) {
        return;
    }
    std::vector<uint8_t> bytes;
    try {
        bytes = ObjectFileBytes(Document.Object());
    } catch (const RuntimeError&) {
        return;
    }
    if (!Own) {
        Own = RecoverySlot::Claim(CopyFolder);
    }
    if (Own) {
        Writer.Write(Own, std::move(bytes), AboutText({Document.FilePath(), Document.Stamp()}));
        HasCopy = true;
    }
}

} // namespace quillax
