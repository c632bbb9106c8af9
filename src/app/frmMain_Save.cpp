#include "app/frmMain.h"

#include "app/PathText.h"

#include "fileio/OutputFile.h"
#include "objects/ObjectFileBytes.h"
#include "platform/CleanPath.h"
#include "platform/MessageBoxService.h"
#include "sceneexport/SceneExport.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QUndoStack>

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
} // namespace

bool frmMain::mnuSave_Click() {
    return CurrentFile.empty() ? mnuSaveAs_Click() : SaveObject(CurrentFile);
}

bool frmMain::mnuSaveAs_Click() {
    const QString start = CurrentFile.empty() ? DialogFolder() : PathText(CurrentFile);
    QString chosen = QFileDialog::getSaveFileName(this, "Save Object As", start, "Objects (*.lin)");
    if (chosen.isEmpty()) {
        return false;
    }
    if (QFileInfo(chosen).suffix().isEmpty()) {
        chosen += ".lin";
    }
    return SaveObject(PathBytes(chosen));
}

// Written beside the file and renamed over it, so a failure leaves the old file as it was.
bool frmMain::SaveObject(const std::string& fileName) {
    const std::string path = CleanAbsolutePath(fileName);
    if (CurrentObject.Meshes.empty()) {
        MsgBox("There is no object to save.", MsgBoxStyle::Exclamation, Caption);
        return false;
    }
    if (!TailMayGo(CurrentObject, path)) {
        return false;
    }
    const WriteOutcome outcome = WriteWholeFile(path, ObjectFileBytes(CurrentObject));
    if (!outcome.Ok()) {
        MsgBox("The object could not be saved:\r\n" + path + "\r\n\r\n" + outcome.Reason,
               MsgBoxStyle::Critical, Caption);
        return false;
    }
    CurrentFile = path;
    CurrentObject.DroppedTrailingBytes = 0;
    UndoStack->setClean();
    return true;
}

void frmMain::mnuExportView_Click() {
    const QString folder = DialogFolder();
    const QString base =
        CurrentFile.empty() ? QString("view") : QFileInfo(PathText(CurrentFile)).completeBaseName();
    QString chosen =
        QFileDialog::getSaveFileName(this, "Export View", folder + "/" + base + ".png",
                                     "PNG picture (*.png);;BMP picture (*.bmp);;SVG document (*.svg)");
    if (!chosen.isEmpty()) {
        ExportView(PathBytes(chosen));
    }
}

// Through the same writers as the command line's render and svg.
bool frmMain::ExportView(const std::string& fileName) {
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

bool frmMain::ChangesMayGo() {
    if (UndoStack->isClean()) {
        return true;
    }
    const std::string name = CurrentFile.empty() ? std::string("a new file")
                                                 : PathBytes(QFileInfo(PathText(CurrentFile)).fileName());
    switch (MsgBox("The object has changes that are not saved.\r\n\r\nSave them to " + name + " first?",
                   MsgBoxStyle::YesNoCancel | MsgBoxStyle::Exclamation, Caption)) {
    case MsgBoxResult::Yes:
        return mnuSave_Click();
    case MsgBoxResult::No:
        return true;
    default:
        return false;
    }
}

} // namespace quillax
