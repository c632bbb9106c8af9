#pragma once

#include "app/HandlerGuard.h"
#include "document/FileStamp.h"

#include <QObject>

#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace quillax {

class ObjectDocument;

// Notices that the document's file was changed or removed by someone else (another program, another
// editor) since it was read or last written: before a save would overwrite it, the user chooses
// (Overwrite, Save As, Cancel); when the window becomes active again, an unchanged document offers to
// reload it, a changed one says what happened, and a vanished file is said so (Save writes it again).
// Each change on disk is told once.
class ChangedOnDisk : public QObject {
    Q_OBJECT
public:
    enum class Overwrite { Yes, SaveAs, Cancel };

    // `reload` opens a file as Open does.
    ChangedOnDisk(QWidget& window, HandlerGuard& guard, ObjectDocument& document,
                  std::function<void(const std::string&)> reload);

    // Whether a save may write path: yes unless it is the document's file and someone else changed it,
    // and the user did not choose to overwrite.
    Overwrite BeforeSave(const std::string& path) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Look();
    void AskAboutChange(const std::string& path);

    HandlerGuard& Guard;
    ObjectDocument& Document;
    std::function<void(const std::string&)> Reload;
    // The file on disk the user was last told about, and whether it was told gone.
    std::optional<FileStamp> Told;
    bool ToldGone = false;
};

} // namespace quillax
