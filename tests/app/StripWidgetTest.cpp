#include "support/EditorFixture.h"
#include "support/PaintRecorder.h"

#include "app/frmMain.h"
#include "browse/ListBox.h"
#include "browse/SelectorStrip.h"
#include "objects/modObjects.h"

#include <QPushButton>
#include <QTest>

namespace quillax {

namespace {
class StripWidgetTest : public EditorFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
        Load(MeshesOf({4, 3}));
        // The first boxes of each strip where the layout places them: one row of points, one column
        // of lines, 20 pixels apart.
        for (int16_t k = 0; k < Window->picPoint.Count(); ++k) {
            Window->picPoint(k).Left = static_cast<float>(1 + 20 * k);
            Window->picPoint(k).Top = 1;
        }
        for (int16_t k = 0; k < Window->picLine.Count(); ++k) {
            Window->picLine(k).Left = 1;
            Window->picLine(k).Top = static_cast<float>(1 + 20 * k);
        }
        Window->picTopBar->RepaintChangedBoxes();
        Window->picSideBar->RepaintChangedBoxes();
        QCoreApplication::processEvents();
    }
    static QPoint Middle(const BoxElement& box) {
        return QPoint(static_cast<int>(box.Left) + 8, static_cast<int>(box.Top) + 8);
    }
    static QColor Shown(SelectorStrip* strip, const BoxElement& box) {
        return strip->grab().toImage().pixelColor(Middle(box));
    }
    std::vector<int16_t>& PointFlags() { return CurrentPlacement.Selections[0].PointFlags; }
    std::vector<int16_t>& LineFlags() { return CurrentPlacement.Selections[0].LineFlags; }
};
} // namespace

TEST_F(StripWidgetTest, ClickingBoxesMarksAndUnmarksPointsAndLines) {
    frmMain& w = *Window;
    MarkBackground();
    QTest::mouseClick(w.picTopBar, Qt::LeftButton, {}, Middle(w.picPoint(2)));
    EXPECT_TRUE(Redrawn());
    EXPECT_EQ(PointFlags(), (std::vector<int16_t>{0, 0, -1, 0}));
    EXPECT_EQ(w.picTopBar->ShownColour(2), 33023);
    EXPECT_EQ(Shown(w.picTopBar, w.picPoint(2)), QColor(255, 128, 0));
    EXPECT_EQ(Shown(w.picTopBar, w.picPoint(1)), QColor(128, 0, 0));

    QTest::mouseClick(w.picSideBar, Qt::LeftButton, {}, Middle(w.picLine(0)));
    EXPECT_EQ(LineFlags(), (std::vector<int16_t>{-1, 0, 0}));
    EXPECT_EQ(Shown(w.picSideBar, w.picLine(0)), QColor(0, 128, 187));
    EXPECT_EQ(Shown(w.picSideBar, w.picLine(1)), QColor(0, 128, 0));

    QTest::mouseClick(w.picTopBar, Qt::LeftButton, {}, Middle(w.picPoint(2)));
    QTest::mouseClick(w.picSideBar, Qt::LeftButton, {}, Middle(w.picLine(0)));
    EXPECT_EQ(PointFlags(), (std::vector<int16_t>{0, 0, 0, 0}));
    EXPECT_EQ(LineFlags(), (std::vector<int16_t>{0, 0, 0}));
    EXPECT_EQ(Shown(w.picTopBar, w.picPoint(2)), QColor(128, 0, 0));
    EXPECT_EQ(Shown(w.picSideBar, w.picLine(0)), QColor(0, 128, 0));
    EXPECT_TRUE(Boxes.Records.empty());
}

TEST_F(StripWidgetTest, TheKeyboardMovesBetweenBoxesAndSpaceClicks) {
    frmMain& w = *Window;
    w.picTopBar->setFocus();
    QTest::keyClick(w.picTopBar, Qt::Key_Right);
    QTest::keyClick(w.picTopBar, Qt::Key_Right);
    QTest::keyClick(w.picTopBar, Qt::Key_Left);
    QTest::keyClick(w.picTopBar, Qt::Key_Space);
    EXPECT_EQ(w.picTopBar->FocusIndex(), 1);
    EXPECT_EQ(PointFlags(), (std::vector<int16_t>{0, -1, 0, 0}));
    EXPECT_EQ(Shown(w.picTopBar, w.picPoint(1)), QColor(255, 128, 0));

    // Tab goes on to the side strip, and from it to the load button.
    QTest::keyClick(w.picTopBar, Qt::Key_Tab);
    EXPECT_TRUE(w.picSideBar->hasFocus());
    QTest::keyClick(w.picSideBar, Qt::Key_Down);
    QTest::keyClick(w.picSideBar, Qt::Key_Down);
    QTest::keyClick(w.picSideBar, Qt::Key_Space);
    QTest::keyClick(w.picSideBar, Qt::Key_Space);
    QTest::keyClick(w.picSideBar, Qt::Key_Space);
    EXPECT_EQ(LineFlags(), (std::vector<int16_t>{0, 0, -1}));
    EXPECT_EQ(w.picSideBar->ShownColour(2), 12288000);
    QTest::keyClick(w.picSideBar, Qt::Key_Tab);
    EXPECT_TRUE(w.cmdLoadFile->hasFocus());
}

TEST_F(StripWidgetTest, AClickRepaintsOnlyItsBox) {
    frmMain& w = *Window;
    PaintRecorder recorder;
    w.picTopBar->installEventFilter(&recorder);
    w.picSideBar->installEventFilter(&recorder);
    w.picTopBar->setFocus();
    QCoreApplication::processEvents();
    recorder.Regions.clear();
    QTest::mouseClick(w.picTopBar, Qt::LeftButton, {}, Middle(w.picPoint(3)));
    QCoreApplication::processEvents();
    ASSERT_EQ(recorder.Regions.size(), 1u);
    // The box, and the focus frame that moved to it from box 0.
    const QRegion expected =
        QRegion(SelectorStrip::BoxArea(w.picPoint(3))) | SelectorStrip::BoxArea(w.picPoint(0));
    EXPECT_EQ(recorder.Regions[0], expected.intersected(w.picTopBar->rect()));
}

TEST_F(StripWidgetTest, ChoosingAnotherMeshResizesTheStripsAndClearsTheMarks) {
    frmMain& w = *Window;
    QTest::mouseClick(w.picTopBar, Qt::LeftButton, {}, Middle(w.picPoint(0)));
    w.LstMeshes->setCurrentRow(1);
    EXPECT_EQ(w.picPoint.Count(), 3);
    EXPECT_EQ(w.picLine.Count(), 2);
    EXPECT_EQ(PointFlags(), (std::vector<int16_t>{0, 0, 0, 0}));
    QCoreApplication::processEvents();
    EXPECT_EQ(Shown(w.picTopBar, w.picPoint(0)), QColor(128, 0, 0));
    EXPECT_EQ(w.picTopBar->grab().toImage().pixelColor(Middle(BoxElement{61, 1})),
              w.picTopBar->palette().window().color())
        << "the removed box is no longer painted";
}

} // namespace quillax
