#pragma once

#include "app/frmMain.h"
#include "browse/SelectorStrip.h"
#include "drawingarea/DrawingArea.h"
#include "platform/MessageBoxService.h"
#include "platform/ProgramFolder.h"
#include "support/LinBuilder.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"
#include "surface/TempBitmapFile.h"

#include <QAction>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QToolTip>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace quillax {

// A real editor window (offscreen) whose "Load File" reads a fixture object written by the test:
// the program folder points at <temp>/bin/exe, so the object lives at <temp>/Assets/PlayerTopb.lin.
// Header-only, so that only the tests of the window link the window.
class EditorFixture : public ::testing::Test {
protected:
    EditorFixture();
    ~EditorFixture() override;

    void WriteObject(const LinObject& object);
    void WriteObjectBytes(const std::vector<unsigned char>& bytes);
    // Writes the object and presses "Load File".
    void Load(const LinObject& object);
    // A mark on the drawing area's background that only a redraw (grid or clear) paints over.
    void MarkBackground();
    bool Redrawn() const;
    // Meshes of the given point counts, coloured and spread out a little.
    static LinObject MeshesOf(std::initializer_list<int> pointCounts);
    static QRgb RedrawMark() { return qRgb(1, 2, 3); }
    // A menu command, as the menu bar holds it, and the readout beside the drawing area.
    QAction* Action(const char* name) const { return Window->findChild<QAction*>(name); }
    QLabel* Readout() const { return Window->findChild<QLabel*>("lblReadout"); }
    // The tooltip a widget shows with the pointer resting at `at`, or over a box of an unscrolled strip.
    static std::string TipAt(QWidget* widget, QPoint at);
    static std::string BoxTip(SelectorStrip* strip, const BoxElement& box);

    TempFolder Folder;
    RecordingMessageBox Boxes;
    std::unique_ptr<frmMain> Window;
};

inline EditorFixture::EditorFixture() {
    std::filesystem::create_directories(Folder.Root() / "bin" / "exe");
    std::filesystem::create_directories(Folder.Root() / "Assets");
    SetProgramFolder((Folder.Root() / "bin" / "exe").string());
    // Test programs run side by side; each keeps the surface's reload file to itself.
    SetReloadFolderBase(Folder.Root().string());
    // The program starts with an empty object; an earlier test's window left its own.
    ClearObjectModel(CurrentObject, CurrentPlacement);
    // Each test's window keeps its recovery copies to itself.
    qputenv("XDG_STATE_HOME", Folder.Path("state").c_str());
    Window = std::make_unique<frmMain>();
    Window->show();
}

inline EditorFixture::~EditorFixture() {
    Window.reset();
    SetProgramFolder("");
    SetReloadFolderBase("");
}

inline void EditorFixture::WriteObject(const LinObject& object) {
    WriteObjectBytes(LinBytes(object));
}

inline void EditorFixture::WriteObjectBytes(const std::vector<unsigned char>& bytes) {
    WriteLinFile(Folder.Path("Assets/PlayerTopb.lin"), bytes);
}

inline void EditorFixture::Load(const LinObject& object) {
    WriteObject(object);
    Window->cmdLoadFile->click();
}

inline void EditorFixture::MarkBackground() {
    Window->picMain->Scene().Background().setPixel(0, 0, RedrawMark());
}

inline bool EditorFixture::Redrawn() const {
    return Window->picMain->Scene().Background().pixel(0, 0) != RedrawMark();
}

inline std::string EditorFixture::TipAt(QWidget* widget, QPoint at) {
    QToolTip::hideText();
    QHelpEvent help(QEvent::ToolTip, at, widget->mapToGlobal(at));
    QCoreApplication::sendEvent(widget, &help);
    return QToolTip::text().toStdString();
}

inline std::string EditorFixture::BoxTip(SelectorStrip* strip, const BoxElement& box) {
    return TipAt(strip, QPoint(static_cast<int>(box.Left + box.Width / 2),
                               static_cast<int>(box.Top + box.Height / 2)));
}

inline LinObject EditorFixture::MeshesOf(std::initializer_list<int> pointCounts) {
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
