#include "app/frmMain.h"

#include "app/PathText.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace quillax {

namespace {
// The one local object file a drag carries; none for anything else, so that a drop of many files or
// of something else is refused by the pointer's shape, never by a message box per file.
std::optional<std::string> DroppedObjectFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) {
        return std::nullopt;
    }
    const QUrl url = data->urls().front();
    if (!url.isLocalFile() || !url.fileName().endsWith(".lin", Qt::CaseInsensitive)) {
        return std::nullopt;
    }
    return PathBytes(url.toLocalFile());
}
} // namespace

void frmMain::mnuOpen_Click() {
    if (!ChangesMayGo()) {
        return;
    }
    const QString start = DialogFolder();
    const QString chosen =
        QFileDialog::getOpenFileName(this, "Open Object", start, "Objects (*.lin *.LIN);;All files (*)");
    if (!chosen.isEmpty()) {
        LoadObject(PathBytes(chosen));
    }
}

QString frmMain::DialogFolder() const {
    return QFileInfo(PathText(CurrentFile.empty() ? ObjectFilePath() : CurrentFile)).absolutePath();
}

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (DroppedObjectFile(event->mimeData())) {
        event->acceptProposedAction();
    }
}

void frmMain::dropEvent(QDropEvent* event) {
    const std::optional<std::string> file = DroppedObjectFile(event->mimeData());
    if (!file) {
        return;
    }
    event->acceptProposedAction();
    RunHandler([this, &file] {
        if (ChangesMayGo()) {
            LoadObject(*file);
        }
    });
}

} // namespace quillax
