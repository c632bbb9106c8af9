#include "support/EditorFixture.h"

#include "app/frmMain.h"
#include "browse/ListBox.h"
#include "drawingarea/DrawingArea.h"
#include "objects/ObjectFileBytes.h"
#include "objects/modObjects.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

#include <bit>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace quillax {

namespace {
// Mesh 0: four points 20 pixels apart along a row; mesh 1 below it. Odd bits ride along: a NaN
// payload in mesh 1, extra words, and bytes after the last mesh.
class EditTest : public EditorFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
        LinObject object = MeshesOf({4, 3});
        object.Meshes[1].Points[2].second = std::bit_cast<float>(0x7FC01234u);
        object.Meshes[0].ExtraValue = 0xDEADBEEF;
        object.Meshes[1].ExtraWord = 0xBEEF;
        object.TrailingBytes = {1, 2, 3};
        Load(object);
        Window->picMain->setFocus();
    }
    std::vector<uint8_t> Bytes() const { return ObjectFileBytes(CurrentObject); }
    std::vector<uint8_t> FileBytes(const std::string& path) const {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }
    QPoint Centre(int32_t n) const {
        const NodeElement node = Window->picMain->Scene().NodeAt(n);
        return {static_cast<int>(node.Left + node.Width / 2), static_cast<int>(node.Top + node.Height / 2)};
    }
    void Mouse(QEvent::Type type, Qt::MouseButtons buttons, QPoint at) {
        QMouseEvent event(type, at, Window->picMain->mapToGlobal(at), Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(Window->picMain, &event);
    }
    void Drag(QPoint from, QPoint to) {
        Mouse(QEvent::MouseButtonPress, Qt::LeftButton, from);
        Mouse(QEvent::MouseMove, Qt::LeftButton, (from + to) / 2);
        Mouse(QEvent::MouseMove, Qt::LeftButton, to);
        Mouse(QEvent::MouseButtonRelease, Qt::NoButton, to);
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
    }
    const Mesh& Mesh0() const { return CurrentObject.Meshes[0]; }
    std::vector<int16_t>& PointFlags(size_t mesh = 0) { return CurrentPlacement.Selections[mesh].PointFlags; }
    std::vector<int16_t>& LineFlags(size_t mesh = 0) { return CurrentPlacement.Selections[mesh].LineFlags; }
    // What the designed steps leave for the object: one marker per point and line, one box per point
    // and line of the chosen mesh.
    void ExpectShownAsDesigned() {
        int32_t points = 0;
        for (const Mesh& mesh : CurrentObject.Meshes) {
            points += mesh.PointCount;
        }
        EXPECT_EQ(Window->picMain->Scene().Node.Count(), points);
        EXPECT_EQ(Window->picMain->Scene().Joint.Count(), points - CurrentObject.MeshCount);
        EXPECT_EQ(Window->LstMeshes->ListCount(), CurrentObject.MeshCount);
        const Mesh& chosen = CurrentObject.Meshes[static_cast<size_t>(Window->LstMeshes->ListIndex())];
        EXPECT_EQ(Window->picPoint.Count(), chosen.PointCount);
        EXPECT_EQ(Window->picLine.Count(), chosen.PointCount - 1);
    }
};
} // namespace

TEST_F(EditTest, DraggingAPointMovesItAndAMarkedOneTakesTheMarkedWithItAsOneStep) {
    const std::vector<uint8_t> loaded = Bytes();
    Drag(Centre(1), Centre(1) + QPoint(8, 4));
    EXPECT_EQ(Mesh0().X[1], -15.0f + 2) << "8 pixels at zoom 4";
    EXPECT_EQ(Mesh0().Y[1], -20.0f + 1);
    EXPECT_EQ(Mesh0().X[2], -10.0f) << "an unmarked point moves alone";
    EXPECT_EQ(Action("mnuUndo")->text(), "Undo Move 1 Point");

    Window->picPoint_Click(0);
    Window->picPoint_Click(2);
    Window->picPoint_Click(3);
    Drag(Centre(2), Centre(2) - QPoint(0, 12));
    EXPECT_EQ(Mesh0().Y[0], -23.0f);
    EXPECT_EQ(Mesh0().Y[2], -23.0f);
    EXPECT_EQ(Mesh0().Y[3], -23.0f);
    EXPECT_EQ(Mesh0().Y[1], -19.0f);
    EXPECT_EQ(PointFlags(), (std::vector<int16_t>{-1, 0, -1, -1})) << "the marks stay on their points";
    EXPECT_EQ(Window->Document().History().count(), 2) << "a drag is one step however long";
    EXPECT_EQ(Action("mnuUndo")->text(), "Undo Move 3 Points");
    EXPECT_TRUE(Window->isWindowModified());

    Key(Qt::Key_Z, Qt::ControlModifier);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Bytes(), loaded) << "undo gives every bit back";
    EXPECT_FALSE(Window->isWindowModified());
    EXPECT_EQ(Action("mnuRedo")->text(), "Redo Move 1 Point");
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Mesh0().Y[3], -23.0f);
    ExpectShownAsDesigned();
}

TEST_F(EditTest, ArrowKeysMoveTheMarkedPointsByOneUnitOrTen) {
    Key(Qt::Key_Right);
    EXPECT_EQ(Window->Document().History().count(), 0) << "nothing marked, nothing moves";
    Window->picPoint_Click(1);
    Key(Qt::Key_Right);
    Key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(Mesh0().X[1], -14.0f);
    EXPECT_EQ(Mesh0().Y[1], -30.0f);
    EXPECT_EQ(Window->Document().History().count(), 2);
    EXPECT_EQ(Window->picMain->Scene().NodeAt(1).Left + 2.5f, Centre(0).x() + 20 + 4) << "redrawn";
}

TEST_F(EditTest, ADoubleClickOnALineInsertsAnUnmarkedPointThere) {
    Window->picPoint_Click(1);
    Window->picLine_Click(0);
    Window->picLine_Click(1);
    const QPoint middle = (Centre(1) + Centre(2)) / 2;
    Mouse(QEvent::MouseButtonDblClick, Qt::LeftButton, middle + QPoint(0, 2));
    ASSERT_EQ(Mesh0().PointCount, 5);
    EXPECT_EQ(Mesh0().X[2], -12.5f);
    EXPECT_EQ(Mesh0().Y[2], -20.0f) << "on the line, under the pointer";
    EXPECT_EQ(PointFlags(), (std::vector<int16_t>{0, -1, 0, 0, 0}));
    EXPECT_EQ(LineFlags(), (std::vector<int16_t>{-1, 0, 0, 0})) << "the split line's halves are unmarked";
    EXPECT_EQ(Action("mnuUndo")->text(), "Undo Insert Point");
    ExpectShownAsDesigned();
    EXPECT_EQ(Window->picTopBar->ShownColour(1), PointBoxColours.Selected);
    Window->Document().History().undo();
    EXPECT_EQ(Mesh0().PointCount, 4);
    EXPECT_EQ(LineFlags(), (std::vector<int16_t>{-1, -1, 0})) << "the marks come back too";
    ExpectShownAsDesigned();
}

TEST_F(EditTest, DeleteRemovesTheMarkedPointsButAMeshKeepsTwo) {
    Window->picPoint_Click(1);
    Window->picLine_Click(2);
    Key(Qt::Key_Delete);
    ASSERT_EQ(Mesh0().PointCount, 3);
    EXPECT_EQ(Mesh0().X, (std::vector<float>{-20, -10, -5}));
    EXPECT_EQ(PointFlags(), (std::vector<int16_t>{0, 0, 0}));
    EXPECT_EQ(LineFlags(), (std::vector<int16_t>{0, -1}))
        << "a line bridging the gap is new; the others keep theirs";
    EXPECT_EQ(Action("mnuUndo")->text(), "Undo Delete 1 Point");
    ExpectShownAsDesigned();

    Key(Qt::Key_A, Qt::ControlModifier);
    const std::vector<uint8_t> before = Bytes();
    Key(Qt::Key_Delete);
    ASSERT_EQ(Boxes.Records.size(), 1u);
    EXPECT_EQ(Boxes.Records[0].Prompt,
              "A mesh keeps at least 2 points: deleting 3 marked points of mesh 0 would leave 0.");
    EXPECT_EQ(Bytes(), before) << "refused: nothing changes";
    EXPECT_EQ(Window->Document().History().count(), 1);
}

TEST_F(EditTest, MeshCommandsRecolourAddAndDeleteMeshes) {
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->setCurrentColor(QColor(255, 0, 51));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    Action("mnuMeshColour")->trigger();
    EXPECT_EQ(Mesh0().Red, 1.0f);
    EXPECT_EQ(Mesh0().Green, 0.0f);
    EXPECT_EQ(Mesh0().Blue, 0.2f);
    EXPECT_EQ(Window->picMain->Scene().NodeAt(0).FillColor, 255 + 51 * 65536);

    Action("mnuNewMesh")->trigger();
    ASSERT_EQ(CurrentObject.MeshCount, 3);
    EXPECT_EQ(Window->LstMeshes->ListIndex(), 2) << "chosen at once";
    EXPECT_EQ(CurrentObject.Meshes[2].PointCount, 2);
    ExpectShownAsDesigned();
    Action("mnuDeleteMesh")->trigger();
    Action("mnuDeleteMesh")->trigger();
    ASSERT_EQ(CurrentObject.MeshCount, 1);
    ExpectShownAsDesigned();
    EXPECT_FALSE(Action("mnuDeleteMesh")->isEnabled()) << "an object keeps at least one mesh";
    Action("mnuDeleteMesh")->trigger();
    EXPECT_TRUE(Boxes.Records.empty());
    EXPECT_EQ(CurrentObject.MeshCount, 1);
    for (int i = 0; i < 4; ++i) {
        Window->Document().History().undo();
    }
    EXPECT_EQ(CurrentObject.MeshCount, 2);
    EXPECT_EQ(std::bit_cast<uint32_t>(CurrentObject.Meshes[1].Y[2]), 0x7FC01234u);
    EXPECT_EQ(Mesh0().Blue, 0.0f);
}

TEST_F(EditTest, UndoAndRedoKeysLeaveTheReadoutAsTheirMenuCommandsDo) {
    Action("mnuNewMesh")->trigger();
    ASSERT_NE(Readout()->text().indexOf("Mesh 2: 2 points"), -1);
    Key(Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(CurrentObject.MeshCount, 2);
    EXPECT_NE(Readout()->text().indexOf("Mesh 0: 4 points"), -1) << Readout()->text().toStdString();
    Key(Qt::Key_Y, Qt::ControlModifier);
    ASSERT_EQ(CurrentObject.MeshCount, 3);
    EXPECT_NE(Readout()->text().indexOf("Mesh 2: 2 points"), -1) << Readout()->text().toStdString();
}

TEST_F(EditTest, SavingWritesExactlyTheEditsAndLoadingClearsTheUndoStack) {
    const std::string path = Folder.Path("Assets/PlayerTopb.lin");
    const std::vector<uint8_t> original = FileBytes(path);
    EXPECT_TRUE(Window->SaveObject(path));
    EXPECT_EQ(FileBytes(path), original) << "no edit, the same bytes";
    Window->picPoint_Click(3);
    Key(Qt::Key_Down);
    EXPECT_TRUE(Window->isWindowModified());
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(Window->isWindowModified());
    std::vector<uint8_t> expected = original;
    const float y = -19.0f;
    const auto bits = std::bit_cast<uint32_t>(y);
    const size_t at = 14 + 20 + 8 * 3 + 4;
    for (int b = 0; b < 4; ++b) {
        expected[at + static_cast<size_t>(b)] = static_cast<uint8_t>(bits >> (8 * b));
    }
    EXPECT_EQ(FileBytes(path), expected) << "only the moved point's Y";
    Window->cmdLoadFile->click();
    EXPECT_EQ(Window->Document().History().count(), 0);
    EXPECT_EQ(Mesh0().Y[3], y);
    EXPECT_TRUE(Boxes.Records.empty());
}

TEST_F(EditTest, AFailedSaveLeavesEveryFileAsItWasAndSaysWhy) {
    Window->picPoint_Click(0);
    Key(Qt::Key_Left);
    const std::string kept = Folder.Path("kept.lin");
    WriteLinFile(kept, {9, 9, 9});
    // Created here, so even the superuser cannot: /proc takes no new files.
    const std::string readOnly =
        geteuid() == 0 ? "/proc/quillax-edit-test.lin" : Folder.Path("locked/new.lin");
    if (geteuid() != 0) {
        std::filesystem::create_directory(Folder.Path("locked"));
        std::filesystem::permissions(Folder.Path("locked"),
                                     std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    }
    std::filesystem::create_directory(Folder.Path("folder.lin"));
    for (const std::string& target : {readOnly, Folder.Path("folder.lin"), Folder.Path("gone/new.lin")}) {
        Boxes.Records.clear();
        EXPECT_FALSE(Window->SaveObject(target)) << target;
        ASSERT_EQ(Boxes.Records.size(), 1u) << target;
        EXPECT_NE(Boxes.Records[0].Prompt.find("could not be saved:\r\n" + target), std::string::npos);
        EXPECT_EQ(Boxes.Records[0].Style, MsgBoxStyle::Critical);
        EXPECT_TRUE(Window->isWindowModified()) << "still unsaved";
        if (target.rfind("/proc/", 0) == 0) {
            EXPECT_NE(Boxes.Records[0].Prompt.find("the folder /proc takes no new files"), std::string::npos)
                << "the real reason";
        }
    }
    EXPECT_TRUE(std::filesystem::is_directory(Folder.Path("folder.lin")));
    EXPECT_FALSE(std::filesystem::exists(Folder.Path("gone")));
    EXPECT_EQ(FileBytes(kept), (std::vector<uint8_t>{9, 9, 9}));
    EXPECT_EQ(Window->Document().FilePath(), Folder.Path("Assets/PlayerTopb.lin"));
}

// Written in place to keep them, which the user is told before anything is written.
TEST_F(EditTest, SavingAnotherUsersFileSaysItKeepsItsOwnerAndGroup) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "needs a file of another user";
    }
    const std::string path = Folder.Path("Assets/PlayerTopb.lin");
    ASSERT_EQ(chown(path.c_str(), 1234, 1235), 0);
    ASSERT_EQ(chmod(path.c_str(), 0666), 0);
    for (const std::string& folder : {Folder.Root().string(), Folder.Path("Assets")}) {
        ASSERT_EQ(chmod(folder.c_str(), 0777), 0);
    }
    Window->picPoint_Click(0);
    Key(Qt::Key_Left);
    Boxes.Answer = MsgBoxResult::Cancel;
    // For the save, this process is a user who may write the file but not give a file its owner.
    ASSERT_EQ(setegid(1236), 0);
    ASSERT_EQ(seteuid(1236), 0);
    const bool saved = Window->SaveObject(path);
    ASSERT_EQ(seteuid(0), 0);
    ASSERT_EQ(setegid(0), 0);
    EXPECT_FALSE(saved);
    ASSERT_EQ(Boxes.Records.size(), 1u);
    EXPECT_NE(Boxes.Records[0].Prompt.find("another user's file (owner 1234, group 1235)"),
              std::string::npos);
    EXPECT_TRUE(Window->isWindowModified()) << "cancelled: nothing written";
}

TEST_F(EditTest, UnsavedChangesAreAskedAboutBeforeTheyWouldBeLost) {
    Window->picPoint_Click(0);
    Key(Qt::Key_Left);
    const std::vector<uint8_t> edited = Bytes();
    Boxes.Answer = MsgBoxResult::Cancel;
    Window->cmdLoadFile->click();
    ASSERT_EQ(Boxes.Records.size(), 1u);
    EXPECT_EQ(Boxes.Records[0].Style, MsgBoxStyle::YesNoCancel | MsgBoxStyle::Exclamation);
    EXPECT_NE(Boxes.Records[0].Prompt.find("Save them to PlayerTopb.lin first?"), std::string::npos);
    EXPECT_EQ(Bytes(), edited) << "cancelled: the edit stays";
    EXPECT_FALSE(Window->close());
    EXPECT_TRUE(Window->isVisible());

    Boxes.Answer = MsgBoxResult::No;
    Window->cmdLoadFile->click();
    EXPECT_NE(Bytes(), edited) << "discarded";
    EXPECT_FALSE(Window->isWindowModified());

    Key(Qt::Key_Left);
    Boxes.Answer = MsgBoxResult::Yes;
    EXPECT_TRUE(Window->close());
    EXPECT_EQ(FileBytes(Folder.Path("Assets/PlayerTopb.lin")), Bytes()) << "saved, then closed";
}

} // namespace quillax
