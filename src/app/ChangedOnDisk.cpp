#include "app/ChangedOnDisk.h"

#include "document/ObjectDocument.h"
#include "platform/MessageBoxService.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace quillax {

namespace {
const char* const Caption = "Quillax Object Editor";
} // namespace

ChangedOnDisk::ChangedOnDisk(QWidget& window, HandlerGuard& guard, ObjectDocument& document,
                             std::function<void(const std::string&)> reload)
    : QObject(&window), Guard(guard), Document(document), Reload(std::move(reload)) {
    window.installEventFilter(this);
    connect(&Document, &ObjectDocument::FileChanged, this, [this] {
        Told.reset();
        ToldGone = false;
    });
}

ChangedOnDisk::Overwrite ChangedOnDisk::BeforeSave(const std::string& path) const {
    if (path != Document.FilePath() || !Document.Stamp() ||
        CompareWithDisk(path, *Document.Stamp()) != DiskChange::Changed) {
        return Overwrite::Yes;
    }
    const size_t answer =
        MsgAsk("Another program changed this file since the editor last read or saved it:\r\n" + path +
                   "\r\n\r\nOverwrite the other program's version with this object, save "
                   "this object under another name, or cancel?",
               {"Overwrite", "Save As...", "Cancel"}, 2, Caption);
    return answer == 0 ? Overwrite::Yes : answer == 1 ? Overwrite::SaveAs : Overwrite::Cancel;
}

// Looked at once the activation is over, and never inside another handler, whose message box may be
// what gave the window back its activation.
bool ChangedOnDisk::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        QTimer::singleShot(0, this, [this] {
            if (Guard.Depth() == 0) {
                Guard.Run([this] { Look(); });
            }
        });
    }
    return QObject::eventFilter(watched, event);
}

void ChangedOnDisk::Look() {
    const std::string path = Document.FilePath();
    if (path.empty() || !Document.Stamp()) {
        return;
    }
    switch (CompareWithDisk(path, *Document.Stamp())) {
    case DiskChange::None:
        ToldGone = false;
        return;
    case DiskChange::Missing:
        if (!ToldGone) {
            ToldGone = true;
            MsgBox("This file no longer exists:\r\n" + path +
                       "\r\n\r\nAnother program moved or deleted it. Save writes it again.",
                   MsgBoxStyle::Exclamation, Caption);
        }
        return;
    case DiskChange::Changed:
        AskAboutChange(path);
        return;
    }
}

void ChangedOnDisk::AskAboutChange(const std::string& path) {
    const FileStamp onDisk = StampOfFile(path).value_or(FileStamp{});
    if (Told == onDisk) {
        return;
    }
    Told = onDisk;
    ToldGone = false;
    const std::string changed = "Another program changed this file:\r\n" + path + "\r\n\r\n";
    if (!Document.IsModified()) {
        if (MsgAsk(changed + "Reload it?", {"Reload", "Keep this version"}, 0, Caption) == 0) {
            Reload(path);
        }
        return;
    }
    if (MsgAsk(changed +
                   "The changes made here are not saved. Reload the file and lose them, or keep them? Save "
                   "asks before it overwrites the other program's version.",
               {"Reload", "Keep my changes"}, 1, Caption) == 0) {
        Reload(path);
    }
}

} // namespace quillax
