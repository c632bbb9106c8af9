#include "support/EditorFixture.h"

#include "app/MeshClipboard.h"
#include "app/frmMain.h"
#include "browse/ListBox.h"
#include "document/ObjectDocument.h"
#include "objects/ObjectFileBytes.h"
#include "quillax/CliInfo.h"
#include "support/CliRun.h"
#include "support/DocumentBuilder.h"
#include "support/SameObject.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>
#include <QUndoStack>

#include <bit>

namespace quillax {

namespace {
QClipboard& Board() {
    return *QGuiApplication::clipboard();
}

// Meshes whose every field has bits that a careless copy would lose.
std::pair<ObjectFile, ObjectPlacement> OddObject() {
    auto made = ObjectOf({{{1.5f, -2}, {0, 0}, {-0.0f, 7}}, {{3, 3}, {4, 4}}});
    Mesh& odd = made.first.Meshes[0];
    odd.Y[1] = std::bit_cast<float>(0xFFC00001u);
    odd.X[1] = std::bit_cast<float>(0x00000001u);
    odd.Red = std::bit_cast<float>(0x7F800000u);
    odd.ExtraValue = 0x01020304;
    odd.ExtraWord = 0xFFFF;
    made.first.CentreX = 9;
    return made;
}

class ClipboardTest : public EditorFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
        Board().clear();
        Load(MeshesOf({4, 3}));
        Loaded = ObjectFileBytes(CurrentObject);
        Window->picMain->setFocus();
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
    }
    std::vector<int16_t> PointFlags(size_t mesh) const {
        return CurrentPlacement.Selections[mesh].PointFlags;
    }

    std::vector<uint8_t> Loaded;
};
} // namespace

TEST_F(ClipboardTest, TwoEditorsExchangeMeshesBitForBitAsBytesAndAsText) {
    ObjectDocument from;
    ObjectDocument to;
    auto [object, placement] = OddObject();
    from.Replace(object, placement);
    from.ChooseMesh(0);
    auto [line, lineMarks] = ObjectOf({{{0, 0}, {1, 1}}});
    to.Replace(line, lineMarks);
    to.ChooseMesh(0);
    MeshClipboard copying(from, Board());
    MeshClipboard pasting(to, Board());
    EXPECT_FALSE(pasting.CanPaste());

    copying.Copy();
    EXPECT_TRUE(pasting.CanPaste()) << "the other editor sees meshes on the clipboard";
    EXPECT_TRUE(Board().mimeData()->hasFormat(MeshesMimeType));
    pasting.Paste();
    ASSERT_EQ(MeshCountOf(to.Object()), 2);
    EXPECT_TRUE(SameMesh(to.Object().Meshes[1], object.Meshes[0])) << "every bit, the fields included";
    EXPECT_EQ(to.Object().CentreX, 0.0f) << "the meshes keep their own coordinates";

    // What a text editor gets, and gives back after passing through one, is the same.
    const QString text = Board().text();
    EXPECT_TRUE(text.startsWith("[\n{\"centre\": {\"x\": 9, \"y\": 0}")) << text.toStdString();
    EXPECT_NE(text.indexOf("\"extraValue\": \"0x01020304\""), -1);
    Board().setText(text);
    EXPECT_TRUE(pasting.CanPaste());
    pasting.Paste();
    ASSERT_EQ(MeshCountOf(to.Object()), 3);
    EXPECT_TRUE(SameMesh(to.Object().Meshes[2], object.Meshes[0]));

    to.History().undo();
    to.History().undo();
    EXPECT_EQ(MeshCountOf(to.Object()), 1) << "each paste one step";
    Board().setText("Mesh 0, point 1: (3, 4)");
    EXPECT_FALSE(pasting.CanPaste()) << "anything else leaves Paste off";
    pasting.Paste();
    EXPECT_EQ(MeshCountOf(to.Object()), 1);
}

TEST_F(ClipboardTest, InfoJsonFromElsewherePastesEveryMeshOfEveryFile) {
    WriteLinFile(Folder.Path("a.lin"), ObjectFileBytes(OddObject().first));
    const CliRun info = RunCli(CliInfo, {Folder.Path("a.lin"), Folder.Path("a.lin"), "--json", "--points"});
    ASSERT_EQ(info.Status, 0) << info.Err;
    Board().setText(QString::fromStdString(info.Out));
    ASSERT_TRUE(Action("mnuPaste")->isEnabled());
    Key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(CurrentObject.MeshCount, 6);
    for (size_t k = 0; k < 4; ++k) {
        EXPECT_TRUE(SameMesh(CurrentObject.Meshes[2 + k], OddObject().first.Meshes[k % 2])) << k;
    }
    EXPECT_EQ(Window->LstMeshes->ListIndex(), 2);
    EXPECT_EQ(Window->LstMeshes->item(5)->text(), "Mesh 5");
}

TEST_F(ClipboardTest, CopyPasteCutAndDuplicateThroughTheWindowAreOneStepEach) {
    EXPECT_FALSE(Action("mnuPaste")->isEnabled());
    Window->LstMeshes->SetListIndex(1);
    Key(Qt::Key_C, Qt::ControlModifier);
    ASSERT_TRUE(Action("mnuPaste")->isEnabled());
    Window->LstMeshes->setFocus();
    Key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(CurrentObject.MeshCount, 3) << "Paste works from the mesh list too";
    EXPECT_EQ(Window->LstMeshes->ListIndex(), 2) << "the pasted mesh is chosen";
    EXPECT_TRUE(SameMesh(CurrentObject.Meshes[2], CurrentObject.Meshes[1]));
    EXPECT_EQ(PointFlags(2), (std::vector<int16_t>{-1, -1, -1})) << "and its points marked";
    EXPECT_EQ(Window->picTopBar->ShownColour(0), PointBoxColours.Selected);
    EXPECT_EQ(Action("mnuUndo")->text(), "Undo Paste");
    Window->picMain->setFocus();
    Key(Qt::Key_Down);
    EXPECT_EQ(CurrentObject.Meshes[2].Y[0], CurrentObject.Meshes[1].Y[0] + 1) << "the arrows move it at once";

    const QString copied = Board().text();
    Key(Qt::Key_D, Qt::ControlModifier);
    ASSERT_EQ(CurrentObject.MeshCount, 4);
    EXPECT_TRUE(SameMesh(CurrentObject.Meshes[3], CurrentObject.Meshes[2]));
    EXPECT_EQ(Action("mnuUndo")->text(), "Undo Duplicate");
    EXPECT_EQ(Board().text(), copied) << "Duplicate leaves the clipboard alone";

    Window->LstMeshes->SetListIndex(0);
    Window->picPoint_Click(1);
    Window->picPoint_Click(2);
    Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(CurrentObject.Meshes[0].X, (std::vector<float>{-20, -5}));
    const std::optional<std::vector<Mesh>> cut = MeshesFromMimeData(Board().mimeData());
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->front().X, (std::vector<float>{-15, -10})) << "the marked points, in order";
    Window->picPoint_Click(0);
    Window->picPoint_Click(1);
    Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(CurrentObject.Meshes[0].PointCount, 2) << "the delete's refusal stands";
    ASSERT_EQ(Boxes.Records.size(), 1u);
    EXPECT_NE(Boxes.Records[0].Prompt.find("keeps at least 2 points"), std::string::npos);
    Window->picPoint_Click(0);
    Window->picPoint_Click(1);
    Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(CurrentObject.MeshCount, 3) << "nothing marked: the mesh is cut";
    EXPECT_EQ(Window->Document().History().count(), 5);

    while (Window->Document().History().canUndo()) {
        Window->Document().History().undo();
    }
    EXPECT_EQ(ObjectFileBytes(CurrentObject), Loaded);
}

TEST_F(ClipboardTest, PasteIntoAnEmptyEditorMakesAnObjectOfTheMeshes) {
    Window->LstMeshes->SetListIndex(0);
    Key(Qt::Key_C, Qt::ControlModifier);
    const Mesh copied = CurrentObject.Meshes[0];
    Window->LoadObject(Folder.Path("missing.lin"));
    ASSERT_EQ(CurrentObject.MeshCount, 0) << "a failed load leaves the editor empty";
    Key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(CurrentObject.MeshCount, 1);
    EXPECT_TRUE(SameMesh(CurrentObject.Meshes[0], copied));
    EXPECT_EQ(Window->LstMeshes->ListCount(), 1);
    EXPECT_EQ(Window->picPoint.Count(), 4);
    EXPECT_TRUE(Window->isWindowModified());
}

} // namespace quillax
