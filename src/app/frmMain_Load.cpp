#include "app/frmMain.h"

#include "browse/ListBox.h"
#include "document/ObjectRoom.h"
#include "objects/modObjects.h"
#include "platform/CleanPath.h"
#include "platform/MessageBoxService.h"
#include "platform/ProgramFolder.h"

#include <filesystem>

namespace quillax {

namespace {
void ReportNotLoaded(const std::string& path) {
    std::error_code error;
    const bool exists = std::filesystem::exists(path, error);
    MsgBox("The object file could not be loaded:\r\n" + path + "\r\n\r\n" +
               (exists ? "It is not an object file." : "The file is missing."),
           MsgBoxStyle::Critical, "Quillax Object Editor");
}
} // namespace

std::string frmMain::ObjectFilePath() const {
    return CleanAbsolutePath(ProgramFolder() + "/../../Assets/PlayerTopb.lin");
}

// An object too large for the memory is refused before it is read, with the designed error's text.
void frmMain::cmdLoadFile_Click() {
    if (Files->ChangesMayGo()) {
        try {
            LoadObject(ObjectFilePath());
        } catch (const ObjectTooLarge&) {
            RaiseError(ErrNo::OutOfMemory);
        }
    }
}

// Messages name the file by its clean absolute path.
void frmMain::LoadObject(const std::string& fileName) {
    ResetEditor();
    const std::string path = CleanAbsolutePath(fileName);
    if (!ShowLoadedObject([&] { return Open.Open(path, MeshScene::MarkerBytesPerPoint); })) {
        ReportNotLoaded(path);
    }
}

// Beyond the design, a file that cannot be opened leaves the editor as it was; one that can is shown
// whole, as Home shows it.
void frmMain::OpenObject(const std::string& fileName) {
    std::optional<FileCommands::ReadObject> read = Files->ReadForOpening(fileName);
    if (!read) {
        return;
    }
    ResetEditor();
    ShowLoadedObject([&] {
        Open.Replace(std::move(read->Object), std::move(read->Placement), read->Path);
        return true;
    });
    NavigationGesture(Scene).FitView();
}

// The designed steps after the object is read: the list, a marker for each point and line, the boxes
// of the first mesh, and the first mesh chosen. False when `read` found no object.
bool frmMain::ShowLoadedObject(const std::function<bool()>& read) {
    try {
        if (!read()) {
            LstMeshes->Clear();
            RedrawView();
            return false;
        }
        LstMeshes->Clear();
        for (int16_t i = 0; i < CurrentObject.MeshCount; ++i) {
            LstMeshes->AddItem("Mesh " + std::to_string(i));
        }
        // The first mesh gets a box for each point and line, in the order its markers came.
        Scene.LoadMarkers([this](int16_t meshIndex, int32_t points) {
            Layout.Batch([&] {
                for (int32_t k = 0; meshIndex == 0 && k < points; ++k) {
                    LoadPointBoxes();
                    if (k > 0) {
                        LoadLineBoxes();
                    }
                }
            });
        });
        LstMeshes->SetListIndex(0);
        Guard.RethrowNested();
        return true;
    } catch (...) {
        // A failed load leaves the editor empty, never half-filled.
        ResetEditor();
        LstMeshes->Clear();
        throw;
    }
}

void frmMain::LstMeshes_Click() {
    Open.ChooseMesh(LstMeshes->ListIndex());
    FitStrips();
    RedrawView();
}

void frmMain::FitStrips() {
    const auto chosenPointCount = [this] {
        const int16_t chosen = LstMeshes->ListIndex();
        if (chosen < 0 || chosen >= CurrentObject.MeshCount) {
            RaiseError(ErrNo::SubscriptOutOfRange, "mesh " + std::to_string(chosen));
        }
        return CurrentObject.Meshes[static_cast<size_t>(chosen)].PointCount;
    };
    if (picPoint.Count() < chosenPointCount()) {
        Layout.Batch([&] {
            do {
                LoadPointBoxes();
                LoadLineBoxes();
            } while (picPoint.Count() != chosenPointCount());
        });
    } else if (picPoint.Count() > chosenPointCount()) {
        do {
            UnloadPointBoxes();
            UnloadLineBoxes();
        } while (picPoint.Count() != chosenPointCount() && picPoint(0).Visible);
    }
}

// Emptying the editor forgets the file and the history too.
void frmMain::ResetEditor() {
    do {
        UnloadPointBoxes();
    } while (picPoint(0).Visible);
    do {
        UnloadLineBoxes();
    } while (picLine(0).Visible);
    do {
        UnloadNodes();
    } while (Scene.Node.IsShown(0));
    do {
        UnloadJoints();
    } while (Scene.Joint.IsShown(0));
    Open.Clear();
}

// After an edit or its undo: pools, mesh list and strips as the designed steps leave them for the
// edited object, its chosen mesh chosen, the marks kept, the picture redrawn.
void frmMain::ShowEditedObject() {
    Scene.FitPools();
    FitMeshEntries(*LstMeshes, MeshCountOf(CurrentObject));
    LstMeshes->ShowQuietly(Open.ChosenMesh());
    FitStrips();
    RedrawView();
}

} // namespace quillax
