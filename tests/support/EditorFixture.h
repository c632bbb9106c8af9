#pragma once

#include "linwriter/LinWriter.h"
#include "platform/MessageBoxService.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>

namespace quillax {

class frmMain;

// A real editor window (offscreen) whose "Load File" reads a fixture object written by the test:
// the program folder points at <temp>/bin/exe, so the object lives at <temp>/Assets/PlayerTopb.lin.
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

    TempFolder Folder;
    RecordingMessageBox Boxes;
    std::unique_ptr<frmMain> Window;
};

} // namespace quillax
