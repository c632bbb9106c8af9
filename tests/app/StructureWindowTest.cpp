#include "support/EditorFixture.h"

#include "app/frmMain.h"
#include "browse/ListBox.h"
#include "drawingarea/DrawingArea.h"
#include "objects/ObjectFileBytes.h"
#include "objects/modObjects.h"
#include "support/PaintRecorder.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QUndoStack>

#include <bit>

namespace quillax {

namespace {
// Mesh 0 closes its outline as the sample ship's hull does, its last point its first again; mesh 1
// carries odd bits; mesh 2 is a line further down. Points are 20 pixels apart at the start zoom.
class StructureWindowTest : public EditorFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
        LinObject object = MeshesOf({5, 4, 2});
        object.Meshes[0].Points = {{-20, -20}, {-15, -20}, {-15, -15}, {-20, -15}, {-20, -20}};
        object.Meshes[1].Points[1].second = std::bit_cast<float>(0x7FC01234u);
        object.Meshes[1].ExtraValue = 0xDEADBEEF;
        object.Meshes[1].ExtraWord = 0xBEEF;
        Load(object);
        Loaded = ObjectFileBytes(CurrentObject);
        Window->picMain->setFocus();
    }
    const Mesh& MeshAt(size_t mesh) const { return CurrentObject.Meshes[mesh]; }
    std::vector<int16_t> PointFlags(size_t mesh) const {
        return CurrentPlacement.Selections[mesh].PointFlags;
    }
    // Where the marker of point `n` of the whole object is drawn.
    QPoint Centre(int32_t n) const {
        const NodeElement node = Window->picMain->Scene().NodeAt(n);
        return {static_cast<int>(node.Left + node.Width / 2), static_cast<int>(node.Top + node.Height / 2)};
    }
    void Mouse(QWidget* widget, QEvent::Type type, Qt::MouseButtons buttons, QPoint at,
               Qt::KeyboardModifiers keys = Qt::NoModifier) {
        QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, buttons, keys);
        QCoreApplication::sendEvent(widget, &event);
    }
    void Click(QPoint at, Qt::KeyboardModifiers keys = Qt::NoModifier) {
        Mouse(Window->picMain, QEvent::MouseButtonPress, Qt::LeftButton, at, keys);
        Mouse(Window->picMain, QEvent::MouseButtonRelease, Qt::NoButton, at, keys);
    }
    void Drag(QWidget* widget, QPoint from, QPoint to) {
        Mouse(widget, QEvent::MouseButtonPress, Qt::LeftButton, from);
        Mouse(widget, QEvent::MouseMove, Qt::LeftButton, (from + to) / 2);
        Mouse(widget, QEvent::MouseMove, Qt::LeftButton, to);
        Mouse(widget, QEvent::MouseButtonRelease, Qt::NoButton, to);
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
    }
    void UndoAll() {
        while (Window->Document().History().canUndo()) {
            Key(Qt::Key_Z, Qt::ControlModifier);
        }
    }
    QRgb PictureAt(QPoint at) const { return Window->picMain->Scene().Picture().pixel(at); }
    QRgb BackgroundAt(QPoint at) const { return Window->picMain->Scene().Background().pixel(at); }

    std::vector<uint8_t> Loaded;
};
} // namespace

TEST_F(StructureWindowTest, CtrlClicksInEmptySpaceDrawOnFromTheMarkedEndOneStepEach) {
    Window->LstMeshes->SetListIndex(1);
    Window->picPoint_Click(3);
    const QPoint end = Centre(8);
    for (int k = 1; k <= 3; ++k) {
        Click(end + QPoint(20 * k, 8), Qt::ControlModifier);
    }
    ASSERT_EQ(MeshAt(1).PointCount, 7);
    EXPECT_EQ(MeshAt(1).X[6], MeshAt(1).X[3] + 15) << "20 pixels at zoom 4, three times";
    EXPECT_EQ(MeshAt(1).Y[6], MeshAt(1).Y[5]);
    EXPECT_EQ(PointFlags(1), (std::vector<int16_t>{0, 0, 0, 0, 0, 0, -1}))
        << "the new point is the one marked";
    EXPECT_EQ(Window->picPoint.Count(), 7) << "the strips follow";
    EXPECT_EQ(Window->Document().History().count(), 3);
    EXPECT_EQ(Action("mnuUndo")->text(), "Undo Extend Mesh");

    Click(end + QPoint(0, 40));
    EXPECT_EQ(MeshAt(1).PointCount, 7) << "without Ctrl a click in empty space adds nothing";
    Window->picPoint_Click(0);
    Click(end + QPoint(0, 40), Qt::ControlModifier);
    EXPECT_EQ(MeshAt(1).PointCount, 7) << "two points marked: nothing to draw on from";

    UndoAll();
    EXPECT_EQ(ObjectFileBytes(CurrentObject), Loaded);
    EXPECT_EQ(Window->picPoint.Count(), 4);
}

TEST_F(StructureWindowTest, AClosedOutlineStaysClosedUnderADragAndTheTipNamesBothEnds) {
    EXPECT_EQ(TipAt(Window->picMain, Centre(0)), "Mesh 0, points 0 and 4: (-20, -20)");
    EXPECT_EQ(BoxTip(Window->picTopBar, Window->picPoint(4)), "Mesh 0, points 0 and 4: (-20, -20)");
    EXPECT_FALSE(Action("mnuCloseOutline")->isEnabled());
    Drag(Window->picMain, Centre(0), Centre(0) - QPoint(8, 12));
    EXPECT_EQ(MeshAt(0).X[0], -22.0f);
    EXPECT_EQ(MeshAt(0).Y[0], -23.0f);
    EXPECT_EQ(MeshAt(0).X[4], -22.0f) << "the last point is the first";
    EXPECT_EQ(MeshAt(0).Y[4], -23.0f);
    EXPECT_EQ(Action("mnuUndo")->text(), "Undo Move 2 Points");
    Window->picPoint_Click(4);
    Key(Qt::Key_Right);
    EXPECT_EQ(MeshAt(0).X[0], -21.0f) << "a nudge of either end moves both";

    Action("mnuOpenOutline")->trigger();
    ASSERT_EQ(MeshAt(0).PointCount, 4);
    EXPECT_EQ(Window->picPoint.Count(), 4);
    EXPECT_EQ(TipAt(Window->picMain, Centre(0)), "Mesh 0, point 0: (-21, -23)");
    EXPECT_TRUE(Action("mnuCloseOutline")->isEnabled());
    Action("mnuCloseOutline")->trigger();
    ASSERT_EQ(MeshAt(0).PointCount, 5);
    EXPECT_EQ(MeshAt(0).X[4], -21.0f);
    EXPECT_EQ(Action("mnuUndo")->text(), "Undo Close Outline");

    UndoAll();
    EXPECT_EQ(ObjectFileBytes(CurrentObject), Loaded);
}

TEST_F(StructureWindowTest, ReverseKeepsTheMarksOnTheirPointsAndReorderingKeepsTheChosenMesh) {
    Window->LstMeshes->SetListIndex(1);
    Window->picPoint_Click(0);
    Key(Qt::Key_R, Qt::ShiftModifier);
    EXPECT_EQ(MeshAt(1).X, (std::vector<float>{-5, -10, -15, -20}));
    EXPECT_EQ(std::bit_cast<uint32_t>(MeshAt(1).Y[2]), 0x7FC01234u);
    EXPECT_EQ(PointFlags(1), (std::vector<int16_t>{0, 0, 0, -1}));
    EXPECT_EQ(Window->picTopBar->ShownColour(3), PointBoxColours.Selected);

    Key(Qt::Key_PageDown);
    EXPECT_EQ(Window->LstMeshes->ListIndex(), 2) << "the chosen mesh moved down, and stays chosen";
    EXPECT_EQ(MeshAt(2).ExtraValue, 0xDEADBEEFu);
    EXPECT_EQ(PointFlags(2), (std::vector<int16_t>{0, 0, 0, -1})) << "with its marks";
    EXPECT_EQ(Window->LstMeshes->item(2)->text(), "Mesh 2") << "entries are named by index";
    EXPECT_FALSE(Action("mnuMoveMeshDown")->isEnabled());
    Key(Qt::Key_PageUp);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(Window->LstMeshes->ListIndex(), 0);
    EXPECT_EQ(Action("mnuUndo")->text(), "Undo Move Mesh Up");

    // A drag in the list from the first entry to below the last moves that mesh to the end.
    QWidget* rows = Window->LstMeshes->viewport();
    const QRect first = Window->LstMeshes->visualItemRect(Window->LstMeshes->item(0));
    const QRect last = Window->LstMeshes->visualItemRect(Window->LstMeshes->item(2));
    Drag(rows, first.center(), QPoint(last.center().x(), last.bottom() + 4));
    EXPECT_EQ(MeshAt(2).ExtraValue, 0xDEADBEEFu);
    EXPECT_EQ(Window->LstMeshes->ListIndex(), 2) << "the dragged mesh stays chosen";
    EXPECT_EQ(Action("mnuUndo")->text(), "Undo Move Mesh");
    EXPECT_EQ(Window->Document().History().count(), 5);

    UndoAll();
    EXPECT_EQ(ObjectFileBytes(CurrentObject), Loaded);
    EXPECT_EQ(Window->LstMeshes->ListIndex(), 1);
}

// The boxes paint the flags as they are: a step that puts marks back in place, with as many boxes as
// before (an undo, a reverse), repaints them.
TEST_F(StructureWindowTest, AStepThatMovesMarksRepaintsTheirBoxes) {
    Window->LstMeshes->SetListIndex(1);
    Window->picPoint_Click(1);
    Window->picPoint_Click(2);
    Key(Qt::Key_Delete);
    PaintRecorder recorder;
    Window->picTopBar->installEventFilter(&recorder);
    QCoreApplication::processEvents();
    recorder.Regions.clear();
    Key(Qt::Key_Z, Qt::ControlModifier);
    QCoreApplication::processEvents();
    QRegion repainted;
    for (const QRegion& region : recorder.Regions) {
        repainted |= region;
    }
    EXPECT_TRUE(repainted.contains(SelectorStrip::BoxArea(Window->picPoint(1)).center()));
    EXPECT_EQ(Window->picTopBar->ShownColour(1), PointBoxColours.Selected);
}

TEST_F(StructureWindowTest, AHiddenMeshIsNeitherDrawnNorFoundNorExportedAndNothingOfItIsSaved) {
    const QPoint mesh1 = Centre(5);
    ASSERT_NE(PictureAt(mesh1), BackgroundAt(mesh1));
    Window->LstMeshes->SetListIndex(1);
    Key(Qt::Key_H, Qt::ControlModifier);
    EXPECT_TRUE(Action("mnuHideMesh")->isChecked());
    EXPECT_EQ(PictureAt(mesh1), BackgroundAt(mesh1)) << "not drawn";
    EXPECT_EQ(Window->LstMeshes->item(1)->text(), "Mesh 1");
    EXPECT_FALSE(Window->LstMeshes->item(1)->icon().isNull()) << "the list shows it";
    EXPECT_EQ(Window->LstMeshes->item(1)->toolTip(), "Mesh 1 is hidden");
    EXPECT_EQ(TipAt(Window->picMain, mesh1), "");
    Drag(Window->picMain, mesh1 - QPoint(30, 30), mesh1 + QPoint(60, 30));
    EXPECT_EQ(PointFlags(1), (std::vector<int16_t>{0, 0, 0, 0})) << "a band finds none of its points";

    Window->LstMeshes->SetListIndex(0);
    Click(mesh1);
    EXPECT_EQ(Window->LstMeshes->ListIndex(), 0) << "a click finds nothing there";
    ASSERT_TRUE(Window->ExportView(Folder.Path("view.svg")));
    QFile svg(QString::fromStdString(Folder.Path("view.svg")));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray written = svg.readAll();
    EXPECT_TRUE(written.contains("id=\"mesh-2\""));
    EXPECT_FALSE(written.contains("mesh-1")) << "not exported";

    EXPECT_FALSE(Window->isWindowModified()) << "hiding is no edit";
    EXPECT_EQ(Window->Document().History().count(), 0);
    ASSERT_TRUE(Window->SaveObject(Folder.Path("saved.lin")));
    Window->LoadObject(Folder.Path("saved.lin"));
    EXPECT_EQ(ObjectFileBytes(CurrentObject), Loaded);
    EXPECT_TRUE(Window->LstMeshes->item(1)->icon().isNull()) << "a new object starts all shown";
    EXPECT_NE(PictureAt(mesh1), BackgroundAt(mesh1));
}

TEST_F(StructureWindowTest, ALockedMeshIsDrawnButNeitherChosenByAClickNorEdited) {
    const QPoint mesh2 = Centre(9);
    Window->LstMeshes->SetListIndex(2);
    Action("mnuLockMesh")->trigger();
    EXPECT_EQ(Window->LstMeshes->item(2)->toolTip(), "Mesh 2 is locked");
    Window->LstMeshes->SetListIndex(0);
    EXPECT_FALSE(Action("mnuLockMesh")->isChecked()) << "the entry shows the chosen mesh";
    EXPECT_NE(PictureAt(mesh2), BackgroundAt(mesh2)) << "drawn";
    Click(mesh2);
    EXPECT_EQ(Window->LstMeshes->ListIndex(), 0) << "not chosen by a click";

    Window->LstMeshes->SetListIndex(2);
    Drag(Window->picMain, mesh2, mesh2 + QPoint(12, 12));
    EXPECT_EQ(PointFlags(2), (std::vector<int16_t>{-1, 0})) << "a drag of its point bands it: marks only";
    Key(Qt::Key_Left);
    Key(Qt::Key_Delete);
    Action("mnuReverseMesh")->trigger();
    EXPECT_EQ(ObjectFileBytes(CurrentObject), Loaded) << "not edited";
    ASSERT_EQ(Boxes.Records.size(), 3u);
    EXPECT_EQ(Boxes.Records[0].Prompt, "Mesh 2 is locked: unlock it to edit it.");
    Key(Qt::Key_PageUp);
    EXPECT_EQ(Window->LstMeshes->ListIndex(), 1) << "but it can move in the order";
    EXPECT_EQ(Window->LstMeshes->item(1)->toolTip(), "Mesh 1 is locked") << "its state moves with it";
    EXPECT_EQ(Window->LstMeshes->item(2)->toolTip(), "");
}

} // namespace quillax
