#include "support/EditorFixture.h"

#include "app/frmMain.h"
#include "platform/ProgramFolder.h"
#include "surface/TempBitmapFile.h"

#include <QPushButton>

#include <filesystem>

namespace quillax {

EditorFixture::EditorFixture() {
    std::filesystem::create_directories(Folder.Root() / "bin" / "exe");
    std::filesystem::create_directories(Folder.Root() / "Assets");
    SetProgramFolder((Folder.Root() / "bin" / "exe").string());
    // Test programs run side by side; each keeps the surface's reload file to itself.
    SetReloadFolderBase(Folder.Root().string());
    Window = std::make_unique<frmMain>();
    Window->show();
}

EditorFixture::~EditorFixture() {
    Window.reset();
    SetProgramFolder("");
    SetReloadFolderBase("");
}

void EditorFixture::WriteObject(const LinObject& object) {
    WriteObjectBytes(LinBytes(object));
}

void EditorFixture::WriteObjectBytes(const std::vector<unsigned char>& bytes) {
    WriteLinFile(Folder.Path("Assets/PlayerTopb.lin"), bytes);
}

void EditorFixture::Load(const LinObject& object) {
    WriteObject(object);
    Window->cmdLoadFile->click();
}

namespace {
const QRgb RedrawMark = qRgb(1, 2, 3);
} // namespace

void EditorFixture::MarkBackground() {
    Window->Scene.Background().setPixel(0, 0, RedrawMark);
}

bool EditorFixture::Redrawn() const {
    return Window->Scene.Background().pixel(0, 0) != RedrawMark;
}

LinObject EditorFixture::MeshesOf(std::initializer_list<int> pointCounts) {
    LinObject object;
    int meshIndex = 0;
    for (const int count : pointCounts) {
        LinMesh mesh;
        mesh.Red = 1.0f;
        mesh.Green = 0.5f;
        mesh.Blue = static_cast<float>(meshIndex) / 4;
        for (int k = 0; k < count; ++k) {
            mesh.Points.emplace_back(static_cast<float>(5 * k - 20), static_cast<float>(8 * meshIndex - 20));
        }
        object.Meshes.push_back(mesh);
        ++meshIndex;
    }
    return object;
}

} // namespace quillax
