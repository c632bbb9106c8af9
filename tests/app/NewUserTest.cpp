// What a new user tripped over in the window, each through the real window as a user drives it.
#include "support/EditorFixture.h"

#include "app/QtMessageBox.h"
#include "browse/ListBox.h"
#include "objects/modObjects.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

#include <cmath>

namespace quillax {

namespace {
class NewUserTest : public EditorFixture {
protected:
    void SetUp() override { ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get())); }
    std::string WriteFile(const std::string& name, const std::vector<unsigned char>& bytes) {
        const std::string path = Folder.Path(name);
        WriteLinFile(path, bytes);
        return path;
    }
    QString Title() const { return Window->windowHandle()->title(); }
    QPointF Centre(int32_t n) const {
        const NodeElement node = Window->picMain->Scene().NodeAt(n);
        return {node.Left + node.Width / 2.0, node.Top + node.Height / 2.0};
    }
};

int Byte(float component) {
    return static_cast<int>(std::lround(component * 255));
}
} // namespace

TEST_F(NewUserTest, OpeningAFileFitsItIntoViewWhereLoadFileKeepsTheView) {
    for (int k = 0; k < 12; ++k) {
        Window->cmdScaleUp->click();
    }
    const float zoomed = Window->picMain->Scene().ViewScale;
    Load(MeshesOf({3, 4}));
    EXPECT_EQ(Window->picMain->Scene().ViewScale, zoomed) << "Load File keeps the view, as designed";
    Window->OpenObject(WriteFile("other.lin", LinBytes(MeshesOf({5}))));
    const QSize area = Window->picMain->size();
    EXPECT_NE(Window->picMain->Scene().ViewScale, zoomed);
    EXPECT_NEAR(Centre(0).x() + Centre(4).x(), area.width(), 2) << "centred, as Home leaves it";
    EXPECT_GE(Centre(4).x() - Centre(0).x(), area.width() - 30);
}

TEST_F(NewUserTest, TheCaptionNamesTheFileAndItsUnsavedChanges) {
    EXPECT_EQ(Title(), "Quillax Object Editor");
    Load(MeshesOf({3}));
    EXPECT_EQ(Title(), "PlayerTopb.lin - Quillax Object Editor");
    Window->picPoint_Click(0);
    QTest::keyClick(Window->picMain, Qt::Key_Right);
    EXPECT_EQ(Title(), "PlayerTopb.lin* - Quillax Object Editor");
    Window->OpenObject(Folder.Path("missing.lin"));
    EXPECT_EQ(Title(), "PlayerTopb.lin* - Quillax Object Editor") << "a failed open changes nothing";
    WriteObjectBytes({1, 2, 3});
    Boxes.Answer = MsgBoxResult::No;
    Window->cmdLoadFile->click();
    EXPECT_EQ(Title(), "Quillax Object Editor") << "nothing open";
}

TEST_F(NewUserTest, AFileThatCannotBeOpenedIsSaidInWordsAndTheOpenObjectStays) {
    Load(MeshesOf({3, 4}));
    std::vector<unsigned char> truncated = LinBytes(MeshesOf({3}));
    truncated.resize(30);
    struct Case {
        std::vector<unsigned char> Bytes;
        std::string Reason;
    };
    const std::vector<Case> cases = {
        {truncated, "It ends too early: the file ends while reading ExtraWord of mesh 0 at byte offset 30."},
        {{}, "The file is empty."},
        {{'h', 'e', 'l', 'l', 'o', '\n'},
         "It is not an object file: it does not start with the object file magic DE 7A 3A 00."}};
    for (const Case& bad : cases) {
        Boxes.Records.clear();
        const std::string path = WriteFile("bad.lin", bad.Bytes);
        Window->OpenObject(path);
        ASSERT_EQ(Boxes.Records.size(), 1u);
        EXPECT_EQ(Boxes.Records[0].Prompt, "The object file could not be opened:\r\n" + path + "\r\n\r\n" +
                                               bad.Reason + "\r\n\r\nNothing was changed.");
        EXPECT_EQ(CurrentObject.MeshCount, 2) << "the object open before is still open";
        EXPECT_EQ(Window->Document().FilePath(), Folder.Path("Assets/PlayerTopb.lin"));
    }
    WriteObjectBytes(truncated);
    Boxes.Records.clear();
    Window->cmdLoadFile->click();
    ASSERT_EQ(Boxes.Records.size(), 1u);
    EXPECT_EQ(Boxes.Records[0].Prompt.rfind("Run-time error '62':", 0), 0u) << "Load File as designed";
}

TEST_F(NewUserTest, MessageBoxesAreCentredOnTheWindow) {
    QtMessageBox real;
    QWidget* parent = nullptr;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        parent = box->parentWidget();
        box->accept();
    });
    Window->OpenObject(Folder.Path("missing.lin"));
    EXPECT_EQ(parent, Window.get());
}

TEST_F(NewUserTest, ANewMeshHasAColourNoMeshHasAndNotTheWhiteOfAMark) {
    LinObject object = MeshesOf({3, 3});
    object.Meshes[0].Red = object.Meshes[0].Green = object.Meshes[0].Blue = 1;
    Load(object);
    for (int k = 0; k < 40; ++k) {
        Action("mnuNewMesh")->trigger();
    }
    ASSERT_EQ(CurrentObject.MeshCount, 42);
    std::set<std::tuple<int, int, int>> colours;
    for (const Mesh& mesh : CurrentObject.Meshes) {
        colours.insert({Byte(mesh.Red), Byte(mesh.Green), Byte(mesh.Blue)});
    }
    EXPECT_EQ(colours.size(), 42u) << "each its own";
    for (size_t i = 2; i < CurrentObject.Meshes.size(); ++i) {
        const Mesh& mesh = CurrentObject.Meshes[i];
        EXPECT_FALSE(Byte(mesh.Red) == 255 && Byte(mesh.Green) == 255 && Byte(mesh.Blue) == 255) << i;
    }
}

TEST_F(NewUserTest, ADoubleClickInsertsAPointAndLeavesTheMarksAsTheyWere) {
    Load(MeshesOf({4}));
    Window->picLine_Click(2);
    const QPoint between = ((Centre(0) + Centre(1)) / 2).toPoint();
    QTest::mouseDClick(Window->picMain, Qt::LeftButton, {}, between);
    ASSERT_EQ(CurrentObject.Meshes[0].PointCount, 5);
    EXPECT_EQ(CurrentPlacement.Selections[0].LineFlags, (std::vector<int16_t>{0, 0, 0, -1}));
    EXPECT_EQ(CurrentPlacement.Selections[0].PointFlags, (std::vector<int16_t>{0, 0, 0, 0, 0}));
    Window->Document().History().undo();
    EXPECT_EQ(CurrentPlacement.Selections[0].LineFlags, (std::vector<int16_t>{0, 0, -1}))
        << "undone as before";
}

TEST_F(NewUserTest, CommandsThatCannotActAreDisabled) {
    for (const char* entry :
         {"mnuSave", "mnuSaveAs", "mnuExportView", "mnuMeshColour", "mnuDeleteMesh", "mnuUndo"}) {
        EXPECT_FALSE(Action(entry)->isEnabled()) << entry << " with nothing open";
    }
    Load(MeshesOf({3, 4}));
    EXPECT_TRUE(Action("mnuDeleteMesh")->isEnabled());
    Action("mnuDeleteMesh")->trigger();
    EXPECT_FALSE(Action("mnuDeleteMesh")->isEnabled()) << "an object keeps one mesh";
    EXPECT_TRUE(Action("mnuUndo")->isEnabled());
    EXPECT_TRUE(Boxes.Records.empty());
}

TEST_F(NewUserTest, TheWindowsKeysActWhicheverControlHasTheFocus) {
    Load(MeshesOf({3, 4}));
    Window->LstMeshes->setFocus();
    const float start = Window->picMain->Scene().ViewScale;
    QTest::keyClick(Window->LstMeshes, Qt::Key_Home);
    EXPECT_NE(Window->picMain->Scene().ViewScale, start) << "Home fits the view";
    EXPECT_EQ(Window->LstMeshes->ListIndex(), 0);
    QTest::keyClick(Window->LstMeshes, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(CurrentPlacement.Selections[0].PointFlags, (std::vector<int16_t>{-1, -1, -1}));
    QTest::keyClick(Window->LstMeshes, Qt::Key_Escape);
    EXPECT_EQ(CurrentPlacement.Selections[0].PointFlags, (std::vector<int16_t>{0, 0, 0}));
}

} // namespace quillax
