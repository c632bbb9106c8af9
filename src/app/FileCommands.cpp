#include "app/FileCommands.h"

#include "app/OpenFailure.h"
#include "app/PathText.h"

#include "document/ObjectRoom.h"
#include "fileio/OutputFile.h"
#include "fileio/OutputPlan.h"
#include "objects/ObjectFileBytes.h"
#include "platform/CleanPath.h"
#include "platform/MessageBoxService.h"
#include "platform/RuntimeError.h"
#include "recovery/RecoveryFolder.h"
#include "sceneexport/SceneExport.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace quillax {

namespace {
const char* const Caption = "Quillax Object Editor";

// Bytes after the last mesh that were too many to keep are not in the model: say so before a save
// leaves them out.
bool TailMayGo(const ObjectFile& object, const std::string& path) {
    if (object.DroppedTrailingBytes == 0) {
        return true;
    }
    return MsgBox(std::to_string(object.DroppedTrailingBytes) +
                      " bytes followed the last mesh in the file that was opened; they were not kept and "
                      "will not be written to\r\n" +
                      path + "\r\n\r\nSave without them?",
                  MsgBoxStyle::OkCancel | MsgBoxStyle::Exclamation, Caption) == MsgBoxResult::Ok;
}
// A file whose owner or group a new file of this user could not take is rewritten in place, keeping
// them: say so before writing.
bool OwnerMayStay(const std::string& path) {
    const OutputPlan plan = PlanOutput(path);
    if (plan.Error != 0 || !plan.ForeignOwner) {
        return true;
    }
    return MsgBox(path + "\r\nis " + ForeignOwnerText(plan) +
                      ". It will be written in place, so it keeps its owner and group.\r\n\r\nSave it?",
                  MsgBoxStyle::OkCancel | MsgBoxStyle::Exclamation, Caption) == MsgBoxResult::Ok;
}
} // namespace

QString WindowCaption(const std::string& file) {
    if (file.empty()) {
        return QString(Caption) + "[*]";
    }
    return QFileInfo(PathText(file)).fileName() + "[*] - " + Caption;
}

FileCommands::FileCommands(QWidget& window, HandlerGuard& guard, ObjectDocument& document,
                           const MeshScene& scene, std::string fixedFile,
                           const std::function<void(const std::string&)>& open)
    : Window(window), Document(document), Scene(scene), FixedFile(std::move(fixedFile)),
      Disk(window, guard, document, open), Recovery(guard, document, open, RecoveryFolder(), &window) {}

std::optional<std::string> FileCommands::DroppedObjectFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) {
        return std::nullopt;
    }
    const QUrl url = data->urls().front();
    if (!url.isLocalFile() || !url.fileName().endsWith(".lin", Qt::CaseInsensitive)) {
        return std::nullopt;
    }
    return PathBytes(url.toLocalFile());
}

std::optional<FileCommands::ReadObject> FileCommands::ReadForOpening(const std::string& fileName) {
    ReadObject read{{}, {}, CleanAbsolutePath(fileName)};
    std::exception_ptr error;
    try {
        CheckRoomForObject(read.Path, MeshScene::MarkerBytesPerPoint);
        if (LoadObjectFile(read.Path, read.Object, read.Placement)) {
            return read;
        }
    } catch (const RuntimeError&) {
        error = std::current_exception();
    } catch (const std::bad_alloc&) {
        error = std::current_exception();
    }
    MsgBox(OpenFailureText(read.Path, error), MsgBoxStyle::Critical, Caption);
    return std::nullopt;
}

std::optional<std::string> FileCommands::ChooseObjectFile() {
    const QString chosen = QFileDialog::getOpenFileName(&Window, "Open Object", DialogFolder(),
                                                        "Objects (*.lin *.LIN);;All files (*)");
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return PathBytes(chosen);
}

bool FileCommands::Save() {
    return Document.FilePath().empty() ? SaveAs() : SaveObject(Document.FilePath());
}

bool FileCommands::SaveAs() {
    const QString start = Document.FilePath().empty() ? DialogFolder() : PathText(Document.FilePath());
    QString chosen = QFileDialog::getSaveFileName(&Window, "Save Object As", start, "Objects (*.lin)");
    if (chosen.isEmpty()) {
        return false;
    }
    if (QFileInfo(chosen).suffix().isEmpty()) {
        chosen += ".lin";
    }
    return SaveObject(PathBytes(chosen));
}

bool FileCommands::SaveObject(const std::string& fileName) {
    const std::string path = CleanAbsolutePath(fileName);
    if (Document.Object().Meshes.empty()) {
        MsgBox("There is no object to save.", MsgBoxStyle::Exclamation, Caption);
        return false;
    }
    switch (Disk.BeforeSave(path)) {
    case ChangedOnDisk::Overwrite::SaveAs:
        return SaveAs();
    case ChangedOnDisk::Overwrite::Cancel:
        return false;
    case ChangedOnDisk::Overwrite::Yes:
        break;
    }
    if (!TailMayGo(Document.Object(), path) || !OwnerMayStay(path)) {
        return false;
    }
    const WriteOutcome outcome = WriteWholeFile(path, ObjectFileBytes(Document.Object()));
    if (!outcome.Ok()) {
        MsgBox("The object could not be saved:\r\n" + path + "\r\n\r\n" + outcome.Reason,
               MsgBoxStyle::Critical, Caption);
        return false;
    }
    Document.Saved(path);
    return true;
}

void FileCommands::ExportViewAs() {
    const QString base = Document.FilePath().empty()
                             ? QString("view")
                             : QFileInfo(PathText(Document.FilePath())).completeBaseName();
    const QString chosen =
        QFileDialog::getSaveFileName(&Window, "Export View", DialogFolder() + "/" + base + ".png",
                                     "PNG picture (*.png);;BMP picture (*.bmp);;SVG document (*.svg)");
    if (!chosen.isEmpty()) {
        ExportView(PathBytes(chosen));
    }
}

// Through the same writers as the command line's render and svg.
bool FileCommands::ExportView(const std::string& fileName) {
    const std::string path = CleanAbsolutePath(fileName);
    const std::optional<ExportFormat> format = ExportFormatNamed(ExtensionOf(path));
    if (!format) {
        MsgBox("The view can be exported as a PNG or BMP picture or an SVG document: name the file with one "
               "of the endings .png, .bmp or .svg.",
               MsgBoxStyle::Exclamation, Caption);
        return false;
    }
    const WriteOutcome outcome = ExportScene(Scene, path, *format);
    if (!outcome.Ok()) {
        MsgBox("The view could not be exported:\r\n" + path + "\r\n\r\n" + outcome.Reason,
               MsgBoxStyle::Critical, Caption);
        return false;
    }
    return true;
}

bool FileCommands::ChangesMayGo() {
    if (!Document.IsModified()) {
        return true;
    }
    const std::string& file = Document.FilePath();
    const std::string name =
        file.empty() ? std::string("a new file") : PathBytes(QFileInfo(PathText(file)).fileName());
    switch (MsgBox("The object has changes that are not saved.\r\n\r\nSave them to " + name + " first?",
                   MsgBoxStyle::YesNoCancel | MsgBoxStyle::Exclamation, Caption)) {
    case MsgBoxResult::Yes:
        return Save();
    case MsgBoxResult::No:
        return true;
    default:
        return false;
    }
}

QString FileCommands::DialogFolder() const {
    return QFileInfo(PathText(Document.FilePath().empty() ? FixedFile : Document.FilePath())).absolutePath();
}

} // namespace quillax
