#pragma once

#include "app/ChangedOnDisk.h"
#include "app/HandlerGuard.h"
#include "app/RecoveryOffer.h"
#include "document/ObjectDocument.h"
#include "view/MeshScene.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>

class QMimeData;
class QWidget;

namespace quillax {

// The window's caption: the open file's name, the marker of unsaved changes, and the editor's name;
// with no file, the designed caption (the marker shows while there are unsaved changes).
QString WindowCaption(const std::string& file);

// The File menu's work on the document: choosing a file to open, saving (written beside the file and
// renamed over it, so a failure leaves the old file as it was, and never over another program's
// change without asking), exporting the view, asking before unsaved changes would be lost, and the
// recovery copies that keep them meanwhile. Dialogs and messages are the window's.
class FileCommands {
public:
    // `fixedFile` is the file "Load File" reads, where the dialogs start while no file is open; `open`
    // opens a file as Open does. Recovery copies go to RecoveryFolder().
    FileCommands(QWidget& window, HandlerGuard& guard, ObjectDocument& document, const MeshScene& scene,
                 std::string fixedFile, const std::function<void(const std::string&)>& open);

    // The one local object file a drag carries; none for anything else, so that a drop of many files
    // or of something else is refused by the pointer's shape, never by a message box per file.
    static std::optional<std::string> DroppedObjectFile(const QMimeData* data);
    // An object file read for opening beyond the design (an argument, Open, a drop): none when it cannot
    // be, the reason shown in words and nothing changed.
    struct ReadObject {
        ObjectFile Object;
        ObjectPlacement Placement;
        std::string Path;
    };
    std::optional<ReadObject> ReadForOpening(const std::string& fileName);
    // The file the user picks in the Open dialog; none when cancelled.
    std::optional<std::string> ChooseObjectFile();
    // False when nothing was written (cancelled or failed, the reason shown).
    bool Save();
    bool SaveAs();
    bool SaveObject(const std::string& fileName);
    // The drawing area as it shows now, as a PNG or BMP picture or an SVG document, by the name's
    // extension.
    void ExportViewAs();
    bool ExportView(const std::string& fileName);
    // Save, Discard or Cancel; false when the user cancels or the save fails.
    bool ChangesMayGo();

private:
    // Where the file dialogs start: the folder of the open file, else of the fixed file.
    QString DialogFolder() const;

    QWidget& Window;
    ObjectDocument& Document;
    const MeshScene& Scene;
    std::string FixedFile;
    ChangedOnDisk Disk;
    RecoveryOffer Recovery;
};

} // namespace quillax
