#include "support/EditorFixture.h"

#include "app/MarkerTips.h"
#include "app/frmMain.h"
#include "browse/ListBox.h"
#include "browse/SelectorStrip.h"
#include "drawingarea/DrawingArea.h"
#include "objects/modObjects.h"

#include <QCheckBox>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>

#include <cmath>

namespace quillax {

namespace {
constexpr int32_t Orange = 33023;
constexpr int32_t Blue = 12288000;
constexpr int32_t White = 16777215;

// Mesh 0 has points 20 pixels apart along one row; mesh 1 lies 32 pixels below it.
class DrawingAreaInputTest : public EditorFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
        Load(MeshesOf({4, 3}));
    }
    QPoint Centre(int32_t n) const {
        const NodeElement node = Window->picMain->Scene().NodeAt(n);
        return {static_cast<int>(node.Left + node.Width / 2), static_cast<int>(node.Top + node.Height / 2)};
    }
    void Click(const QPoint& pixel) { QTest::mouseClick(Window->picMain, Qt::LeftButton, {}, pixel); }
    void Wheel(int angleDelta) {
        const QPointF at = Centre(0) + QPointF(30, 30);
        QWheelEvent event(at, Window->picMain->mapToGlobal(at), {}, {0, angleDelta}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(Window->picMain, &event);
    }
    std::vector<int16_t>& PointFlags(size_t mesh) { return CurrentPlacement.Selections[mesh].PointFlags; }
    std::vector<int16_t>& LineFlags(size_t mesh) { return CurrentPlacement.Selections[mesh].LineFlags; }
    QRgb Shown(const QPoint& pixel) const { return Window->picMain->grab().toImage().pixel(pixel); }
};

class ShortcutTest : public EditorFixture {
protected:
    void SetUp() override { ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get())); }
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : Window.get(), static_cast<Qt::Key>(key), modifiers);
    }
};
} // namespace

TEST_F(DrawingAreaInputTest, AClickOnAMarkerOrUpTo4PixelsOffItMarksThatPoint) {
    frmMain& w = *Window;
    Click(Centre(2));
    EXPECT_EQ(PointFlags(0), (std::vector<int16_t>{0, 0, -1, 0}));
    EXPECT_EQ(w.picTopBar->ShownColour(2), Orange);
    EXPECT_EQ(w.picMain->Scene().NodeAt(2).BorderColor, White);
    EXPECT_EQ(w.picMain->Scene().NodeAt(2).Width, 5.0f);
    EXPECT_EQ(Shown(Centre(2) + QPoint(2, 0)), qRgb(255, 255, 255));
    EXPECT_EQ(w.picTopBar->grab().toImage().pixelColor(static_cast<int>(w.picPoint(2).Left) + 8,
                                                       static_cast<int>(w.picPoint(2).Top) + 8),
              QColor(255, 128, 0));
    Click(Centre(2) + QPoint(4, 0));
    EXPECT_EQ(PointFlags(0), (std::vector<int16_t>{0, 0, 0, 0}));
    EXPECT_EQ(w.picTopBar->ShownColour(2), 128);
    Click(Centre(0) + QPoint(0, -4));
    Click(Centre(3) + QPoint(-3, 3));
    EXPECT_EQ(PointFlags(0), (std::vector<int16_t>{-1, 0, 0, -1}));
    // Further than the hit radius from any marker: nothing.
    MarkBackground();
    Click(Centre(0) + QPoint(-6, 0));
    Click(Centre(0) + QPoint(0, -6));
    EXPECT_FALSE(Redrawn());
    EXPECT_EQ(LineFlags(0), (std::vector<int16_t>{0, 0, 0}));
    EXPECT_TRUE(Boxes.Records.empty());
}

TEST_F(DrawingAreaInputTest, AClickOnASegmentMarksThatLine) {
    frmMain& w = *Window;
    const QPoint middle = (Centre(1) + Centre(2)) / 2;
    Click(middle + QPoint(0, 3));
    EXPECT_EQ(LineFlags(0), (std::vector<int16_t>{0, -1, 0}));
    EXPECT_EQ(PointFlags(0), (std::vector<int16_t>{0, 0, 0, 0}));
    EXPECT_EQ(w.picSideBar->ShownColour(1), Blue);
    EXPECT_EQ(w.picMain->Scene().JointAt(1).BorderColor, White);
    Click(middle);
    EXPECT_EQ(LineFlags(0), (std::vector<int16_t>{0, 0, 0}));
}

TEST_F(DrawingAreaInputTest, BetweenTwoNearPointsTheNearerIsMarked) {
    LinObject object;
    LinMesh mesh;
    mesh.Red = 1;
    // 1.5 units apart: 6 pixels at the start zoom.
    mesh.Points = {{0, 0}, {1.5f, 0}, {30, 0}};
    object.Meshes.push_back(mesh);
    Load(object);
    ASSERT_EQ(Centre(1) - Centre(0), QPoint(6, 0));
    Click(Centre(0) + QPoint(2, 1));
    EXPECT_EQ(PointFlags(0), (std::vector<int16_t>{-1, 0, 0}));
    Click(Centre(0) + QPoint(4, -1));
    EXPECT_EQ(PointFlags(0), (std::vector<int16_t>{-1, -1, 0}));
    // Half way: the lower index.
    Click(Centre(0) + QPoint(3, 0));
    EXPECT_EQ(PointFlags(0), (std::vector<int16_t>{0, -1, 0}));
}

// Exactly as choosing it in the list: every mark cleared, the strips sized to it, nothing marked.
TEST_F(DrawingAreaInputTest, AClickOnAnotherMeshsMarkerChoosesThatMesh) {
    frmMain& w = *Window;
    Click(Centre(2));
    Click((Centre(4) + Centre(5)) / 2);
    EXPECT_EQ(w.LstMeshes->ListIndex(), 1);
    EXPECT_EQ(w.picPoint.Count(), 3);
    for (const MeshSelection& selection : CurrentPlacement.Selections) {
        EXPECT_EQ(std::count(selection.PointFlags.begin(), selection.PointFlags.end(), 0),
                  static_cast<long>(selection.PointFlags.size()));
        EXPECT_EQ(std::count(selection.LineFlags.begin(), selection.LineFlags.end(), 0),
                  static_cast<long>(selection.LineFlags.size()));
    }
    // Once mesh 1 is chosen, its markers are the ones marked.
    Click(Centre(5));
    EXPECT_EQ(PointFlags(1), (std::vector<int16_t>{0, -1, 0}));
    EXPECT_EQ(w.picTopBar->ShownColour(1), Orange);
    Click(Centre(1));
    EXPECT_EQ(w.LstMeshes->ListIndex(), 0);
    EXPECT_EQ(PointFlags(1), (std::vector<int16_t>{0, 0, 0}));
}

TEST_F(DrawingAreaInputTest, ADragOrAnotherButtonIsNoClickAndAnEmptyEditorIgnoresClicks) {
    QTest::mousePress(Window->picMain, Qt::LeftButton, {}, Centre(0));
    QTest::mouseRelease(Window->picMain, Qt::LeftButton, {}, Centre(0) + QPoint(40, 40));
    QTest::mouseClick(Window->picMain, Qt::RightButton, {}, Centre(0));
    EXPECT_EQ(PointFlags(0), (std::vector<int16_t>{0, 0, 0, 0}));
    Window->ResetEditor();
    Window->LstMeshes->Clear();
    Click(Centre(0));
    EXPECT_TRUE(Boxes.Records.empty());
}

TEST_F(DrawingAreaInputTest, AWheelNotchIsOneZoomStepAndFineWheelsAddUpToNotches) {
    frmMain& w = *Window;
    Wheel(120);
    EXPECT_EQ(w.picMain->Scene().ViewScale, 5.0f);
    // A high-resolution wheel: three small steps make one notch.
    Wheel(40);
    Wheel(40);
    EXPECT_EQ(w.picMain->Scene().ViewScale, 5.0f);
    Wheel(40);
    EXPECT_EQ(w.picMain->Scene().ViewScale, 6.25f);
    Wheel(-240);
    EXPECT_EQ(w.picMain->Scene().ViewScale, 4.0f);
    // An absurd turn from a faulty device is held to ten steps.
    Wheel(-120 * 100000);
    EXPECT_FLOAT_EQ(w.picMain->Scene().ViewScale, 4.0f / std::pow(1.25f, 10.0f));
}

TEST_F(DrawingAreaInputTest, TipsNameTheMeshTheIndexAndTheModelCoordinates) {
    frmMain& w = *Window;
    const auto tipAt = [&](const QPoint& pixel) {
        return MarkerTipAt(w.picMain->Scene(), pixel.x(), pixel.y());
    };
    EXPECT_EQ(tipAt(Centre(2) + QPoint(1, 1)), "Mesh 0, point 2: (-10, -20)");
    EXPECT_EQ(tipAt(Centre(2)), BoxTip(w.picTopBar, w.picPoint(2)));
    EXPECT_EQ(tipAt((Centre(1) + Centre(2)) / 2), "Mesh 0, line 1: (-15, -20) to (-10, -20)");
    EXPECT_EQ(tipAt((Centre(1) + Centre(2)) / 2), BoxTip(w.picSideBar, w.picLine(1)));
    EXPECT_EQ(tipAt(Centre(6)), "Mesh 1, point 2: (-10, -12)");
    EXPECT_EQ(tipAt((Centre(4) + Centre(5)) / 2), "Mesh 1, line 0: (-20, -12) to (-15, -12)");
    EXPECT_EQ(tipAt(Centre(0) + QPoint(0, 16)), "");

    QHelpEvent help(QEvent::ToolTip, Centre(3), w.picMain->mapToGlobal(Centre(3)));
    QCoreApplication::sendEvent(w.picMain, &help);
    EXPECT_EQ(QToolTip::text(), "Mesh 0, point 3: (-5, -20)");
    QHelpEvent nothing(QEvent::ToolTip, QPoint(1, 1), w.picMain->mapToGlobal(QPoint(1, 1)));
    QCoreApplication::sendEvent(w.picMain, &nothing);
    // The tip fades out rather than going at once.
    EXPECT_TRUE(QTest::qWaitFor([] { return QToolTip::text().isEmpty(); }));
}

TEST_F(ShortcutTest, EachKeyDoesWhatItsButtonDoes) {
    frmMain& w = *Window;
    WriteObject(MeshesOf({3, 2}));
    Press(Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(w.LstMeshes->ListCount(), 2);
    EXPECT_EQ(w.picMain->Scene().Node.Count(), 5);

    Press(Qt::Key_Plus);
    EXPECT_EQ(w.picMain->Scene().ViewScale, 5.0f);
    Press(Qt::Key_Equal);
    EXPECT_EQ(w.picMain->Scene().ViewScale, 6.25f);
    Press(Qt::Key_Minus);
    EXPECT_EQ(w.picMain->Scene().ViewScale, 5.0f);

    Press(Qt::Key_BracketLeft);
    EXPECT_EQ(w.picMain->Scene().GridSpacing, 4);
    EXPECT_EQ(w.lblGridSpace->text(), "Grid Spacing is: 4");
    Press(Qt::Key_BracketRight);
    Press(Qt::Key_BracketRight);
    EXPECT_EQ(w.picMain->Scene().GridSpacing, 6);
    EXPECT_EQ(w.lblGridSpace->text(), "Grid Spacing is: 6");

    // "Show Grid" is clicked, so its handler clears what was drawn.
    QSignalSpy gridClicks(w.chkGrid, &QCheckBox::clicked);
    w.picMain->Scene().Background().setPixel(0, 0, qRgb(64, 64, 64));
    Press(Qt::Key_G);
    EXPECT_FALSE(w.chkGrid->isChecked());
    EXPECT_EQ(gridClicks.count(), 1);
    EXPECT_EQ(w.picMain->Scene().Background().pixel(0, 0), qRgb(0, 0, 0));
    Press(Qt::Key_G);
    EXPECT_TRUE(w.chkGrid->isChecked());

    const float placed = w.picMain->Scene().NodeAt(0).Left;
    w.picMain->Scene().ViewOffsetX += 10;
    EXPECT_EQ(w.picMain->Scene().NodeAt(0).Left, placed);
    Press(Qt::Key_F5);
    EXPECT_NE(w.picMain->Scene().NodeAt(0).Left, placed);

    // The captions are as designed.
    EXPECT_EQ(w.cmdScaleUp->text(), "+");
    EXPECT_EQ(w.cmdScaleDown->text(), "--");
    EXPECT_EQ(w.chkGrid->text(), "Show Grid");
    EXPECT_EQ(w.cmdLoadFile->text(), "Load File");
    EXPECT_TRUE(Boxes.Records.empty());
}

TEST_F(ShortcutTest, WorkWhileTheMeshListHasTheFocusAndLeaveItsSearchAlone) {
    frmMain& w = *Window;
    Load(MeshesOf({3, 2, 2}));
    w.LstMeshes->setFocus();
    ASSERT_TRUE(w.LstMeshes->hasFocus());
    Press(Qt::Key_Plus);
    Press(Qt::Key_G);
    EXPECT_EQ(w.picMain->Scene().ViewScale, 5.0f);
    EXPECT_FALSE(w.chkGrid->isChecked());
    EXPECT_EQ(w.LstMeshes->ListIndex(), 0);
    EXPECT_TRUE(w.LstMeshes->hasFocus());
    // Typing an entry's text still finds it.
    QTest::keyClicks(w.LstMeshes, "Mesh 2");
    EXPECT_EQ(w.LstMeshes->ListIndex(), 2);
    EXPECT_EQ(w.picMain->Scene().ViewScale, 5.0f);
}

TEST_F(DrawingAreaInputTest, AtTwiceTheDensityEveryPixelBecomesASharpTwoByTwoBlock) {
    Click(Centre(1));
    Click((Centre(2) + Centre(3)) / 2);
    DrawingArea& area = *Window->picMain;
    QImage logical(area.size(), QImage::Format_RGB32);
    area.render(&logical);
    QImage dense(area.size() * 2, QImage::Format_RGB32);
    dense.setDevicePixelRatio(2);
    area.render(&dense);
    int32_t differing = 0;
    for (int y = 0; y < dense.height(); ++y) {
        for (int x = 0; x < dense.width(); ++x) {
            differing += dense.pixel(x, y) != logical.pixel(x / 2, y / 2);
        }
    }
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(dense.pixel(2 * Centre(1).x() + 5, 2 * Centre(1).y()), qRgb(255, 255, 255));
}

} // namespace quillax
