#include "app/RecoveryOffer.h"

#include "document/ObjectDocument.h"
#include "platform/CleanPath.h"
#include "platform/MessageBoxService.h"

#include <QDateTime>
#include <QTimer>

#include <sys/stat.h>

#include <optional>

namespace quillax {

namespace {
const char* const Caption = "Quillax Object Editor";
constexpr int BusyRetryMilliseconds = 100;

// The file's modification time; none when it is gone.
std::optional<int64_t> ModifiedAt(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return static_cast<int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec;
}

std::string Question(const LeftoverCopy& copy) {
    const std::string when = QDateTime::fromMSecsSinceEpoch(copy.WrittenNanoseconds / 1'000'000)
                                 .toString("yyyy-MM-dd hh:mm:ss")
                                 .toStdString();
    const std::string& path = copy.About.Path;
    std::string text = path.empty()
                           ? "An object that had no file was not saved when the editor stopped."
                           : "Changes to this file were not saved when the editor stopped:\r\n" + path;
    text += "\r\n\r\nA recovery copy of them was kept at " + when + ".";
    const std::optional<int64_t> modified = path.empty() ? std::nullopt : ModifiedAt(path);
    if (!path.empty() && !modified) {
        text += " The file no longer exists: after recovering, Save writes it again, or Save As puts it "
                "elsewhere.";
    } else if (modified && *modified > copy.WrittenNanoseconds) {
        text += " The file was changed after the copy was made.";
    }
    return text + "\r\n\r\nRecover the changes, discard the copy, or keep it for later?";
}
} // namespace

RecoveryOffer::RecoveryOffer(HandlerGuard& guard, ObjectDocument& document,
                             std::function<void(const std::string&)> load, const std::string& folder,
                             QObject* parent)
    : QObject(parent), Guard(guard), Document(document), Load(std::move(load)), Keeper(document, folder) {
    connect(&Document, &ObjectDocument::FileChanged, this, [this] { Asked.clear(); });
    connect(&Document, &ObjectDocument::FileChanged, this, &RecoveryOffer::FileOpened, Qt::QueuedConnection);
}

void RecoveryOffer::OfferLeftovers() {
    if (Document.IsModified()) {
        return;
    }
    for (const LeftoverCopy& copy : Keeper.Leftovers()) {
        if (!Asked.contains(copy.Slot->Name()) && Offer(copy)) {
            return;
        }
    }
}

// After the handler that opened the file, so a recovery loads over a finished load.
void RecoveryOffer::FileOpened() {
    if (Guard.Depth() > 0) {
        QTimer::singleShot(BusyRetryMilliseconds, this, &RecoveryOffer::FileOpened);
        return;
    }
    const std::string path = Document.FilePath();
    if (path.empty() || Document.IsModified() || path.starts_with(Keeper.Folder() + "/")) {
        return;
    }
    Guard.Run([this, &path] {
        const std::optional<int64_t> modified = ModifiedAt(path);
        for (const LeftoverCopy& copy : Keeper.Leftovers()) {
            if (copy.About.Path == path && !Asked.contains(copy.Slot->Name()) &&
                (!modified || copy.WrittenNanoseconds > *modified) && Offer(copy)) {
                return;
            }
        }
    });
}

bool RecoveryOffer::Offer(const LeftoverCopy& copy) {
    Asked.insert(copy.Slot->Name());
    switch (MsgAsk(Question(copy), {"Recover", "Discard", "Keep for later"}, 0, Caption)) {
    case 0:
        return Recover(copy);
    case 1:
        copy.Slot->RemoveAll();
        return false;
    default:
        return false;
    }
}

// The copy is opened as any file is (a copy that cannot be read changes nothing, and says why), then
// named as changes of the file it belongs to.
bool RecoveryOffer::Recover(const LeftoverCopy& copy) {
    Load(copy.Slot->CopyPath());
    if (Document.FilePath() != CleanAbsolutePath(copy.Slot->CopyPath())) {
        return false;
    }
    Keeper.Adopt(copy);
    Document.TakeOver(copy.About.Path, copy.About.Stamp);
    return true;
}

} // namespace quillax
