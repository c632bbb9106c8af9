#include "support/EditorFixture.h"

#include "app/frmMain.h"
#include "app/modWinSize.h"
#include "browse/SelectorStrip.h"
#include "drawingarea/DrawingArea.h"

#include <QEvent>
#include <QGroupBox>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>

#include <vector>

namespace quillax {

namespace {
// Records the inner heights Form_Resize sees, nested runs included.
class InnerHeights : public QObject {
public:
    explicit InnerHeights(QWidget* inner) { inner->installEventFilter(this); }
    std::vector<int> Seen;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize) {
            Seen.push_back(static_cast<QWidget*>(watched)->height());
        }
        return false;
    }
};

class LayoutWindowTest : public EditorFixture {
protected:
    int OuterHeight() const { return Window->frameGeometry().height(); }
    // The window at the shortest height the hook allows.
    void ShrinkToMinimum() { Window->resize(Window->width(), 1); }
    void AddBoxes(int count) {
        for (int i = 0; i < count; ++i) {
            Window->LoadPointBoxes();
            Window->LoadLineBoxes();
        }
    }
};
} // namespace

TEST(LayoutStartTest, MinHeightIsSetAtLoadAndReplacedByTheFirstLayout) {
    frmMain window;
    EXPECT_EQ(MinHeight, 473.0f);
    window.show();
    EXPECT_EQ(MinHeight, 481.0f);
}

TEST_F(LayoutWindowTest, TheDesignWindowIsArrangedAsDesigned) {
    frmMain& w = *Window;
    EXPECT_EQ(w.picTopBar->geometry(), QRect(0, 0, 872, 24));
    EXPECT_EQ(w.picSideBar->geometry(), QRect(0, 24, 24, 531));
    EXPECT_EQ(w.frameControls->geometry(), QRect(616, 28, 249, 393));
    EXPECT_EQ(w.picMain->geometry(), QRect(30, 30, 578, 520));
    EXPECT_EQ(w.picMain->Scene().ViewWidth, 578);
    EXPECT_EQ(w.picMain->Scene().ViewHeight, 520);
    EXPECT_EQ(w.picPoint(0).Left, 1);
    EXPECT_EQ(w.picLine(0).Top, 1);
    EXPECT_EQ(MinHeight, 481.0f);
    EXPECT_EQ(w.TwipsPerPixelY(), 15.0f);
    EXPECT_EQ(w.Height(), static_cast<float>(OuterHeight() * 15));
}

TEST_F(LayoutWindowTest, LoadedBoxesFlowIntoRowsAndColumnsAndThePanelsFollow) {
    Load(MeshesOf({44, 2}));
    frmMain& w = *Window;
    EXPECT_EQ(w.picPoint(43).Left, 1);
    EXPECT_EQ(w.picPoint(43).Top, 21);
    EXPECT_EQ(w.picLine(42).Left, 21);
    EXPECT_EQ(w.picLine(42).Top, 1 + 16 * 20);
    EXPECT_EQ(w.picTopBar->height(), 44);
    EXPECT_EQ(w.picSideBar->geometry(), QRect(0, 44, 44, 511));
    EXPECT_EQ(w.frameControls->pos(), QPoint(616, 48));
    EXPECT_EQ(w.picMain->geometry(), QRect(50, 50, 558, 500));
    EXPECT_EQ(MinHeight, 501.0f);
    EXPECT_TRUE(Boxes.Records.empty());
}

TEST_F(LayoutWindowTest, EveryResizeRearrangesThePanels) {
    Load(MeshesOf({44}));
    frmMain& w = *Window;
    w.resize(w.width() + 20, w.height() + 30);
    EXPECT_EQ(w.picTopBar->geometry(), QRect(0, 0, 892, 24));
    EXPECT_EQ(w.picPoint(43).Top, 1);
    EXPECT_EQ(w.frameControls->pos(), QPoint(636, 28));
    EXPECT_EQ(w.picMain->geometry(), QRect(50, 30, 578, 550));
    EXPECT_EQ(w.picMain->Scene().ViewHeight, 550);
    EXPECT_EQ(MinHeight, 481.0f);
}

TEST_F(LayoutWindowTest, AWindowBelowMinHeightGrowsAPixelPerNestedRunUpToIt) {
    ShrinkToMinimum();
    ASSERT_EQ(OuterHeight(), 481);
    InnerHeights heights(Window->picMain->parentWidget());
    const int start = Window->picMain->parentWidget()->height();
    Load(MeshesOf({87})); // three rows
    EXPECT_EQ(MinHeight, 521.0f);
    EXPECT_EQ(OuterHeight(), 521);
    ASSERT_EQ(heights.Seen.size(), 40u);
    for (size_t i = 0; i < heights.Seen.size(); ++i) {
        EXPECT_EQ(heights.Seen[i], start + 1 + static_cast<int>(i));
    }
    EXPECT_EQ(Window->picMain->Scene().ViewHeight, Window->picMain->height());
    EXPECT_EQ(Window->frameGeometry().height() - Window->height() + Window->minimumHeight(), 521);
    ShrinkToMinimum();
    EXPECT_EQ(OuterHeight(), 521);
}

TEST_F(LayoutWindowTest, AWindowAtItsMinimumIsLeftAlone) {
    ShrinkToMinimum();
    InnerHeights heights(Window->picMain->parentWidget());
    Window->ArrangePanels();
    EXPECT_EQ(OuterHeight(), 481);
    EXPECT_TRUE(heights.Seen.empty());
}

TEST_F(LayoutWindowTest, AMaximizedWindowThatCannotGrowIsLeftAloneWithoutError) {
    Window->setWindowState(Qt::WindowMaximized);
    const int height = OuterHeight();
    Load(MeshesOf({43 * 20})); // more rows than the screen can hold
    EXPECT_GT(MinHeight, static_cast<float>(height));
    EXPECT_EQ(OuterHeight(), height);
    EXPECT_TRUE(Window->isMaximized());
    EXPECT_TRUE(Boxes.Records.empty());
}

// With the strips held at ten lines no mesh asks for more than a screen; a taller Height still stops at
// the desktop.
TEST_F(LayoutWindowTest, GrowthStopsAtTheDesktopWithoutError) {
    Window->RunHandler([&] { Window->SetHeight(Window->Height() + 1e6f); });
    EXPECT_EQ(Window->height(), Window->screen()->virtualGeometry().height());
    EXPECT_TRUE(Boxes.Records.empty());
}

TEST_F(LayoutWindowTest, AWindowTooSmallForTheFirstBoxNeverFailsNorGoesNegative) {
    Load(MeshesOf({2000}));
    Window->picMain->parentWidget()->resize(12, 12);
    frmMain& w = *Window;
    EXPECT_TRUE(Boxes.Records.empty());
    EXPECT_EQ(w.picPoint(1999).Left, 1);
    EXPECT_EQ(w.picPoint(1999).Top, 1);
    EXPECT_EQ(w.picLine(1998).Left, 1);
    for (const QWidget* panel : {static_cast<QWidget*>(w.picMain), static_cast<QWidget*>(w.picTopBar),
                                 static_cast<QWidget*>(w.picSideBar)}) {
        EXPECT_GE(panel->width(), 0);
        EXPECT_GE(panel->height(), 0);
    }
    EXPECT_EQ(w.picMain->size(), QSize(0, 0));
    EXPECT_EQ(w.picMain->Scene().ViewWidth, 0);
}

TEST(LayoutHiddenTest, AHiddenWindowGrowsAtOnceAndItsShowResizesOnce) {
    frmMain window;
    window.resize(window.width(), 300);
    window.ArrangePanels();
    EXPECT_EQ(window.frameGeometry().height(), 481);
    EXPECT_EQ(window.picMain->Scene().ViewHeight, window.picMain->height());
    EXPECT_EQ(window.picMain->Scene().ViewHeight, window.picMain->parentWidget()->height() - 35);
    InnerHeights heights(window.picMain->parentWidget());
    window.show();
    EXPECT_EQ(heights.Seen.size(), 1u);
    EXPECT_EQ(window.height(), 481);
}

// Ten rows of point boxes (430 at this width) and ten columns of line boxes are laid out as
// designed; one more and the strip keeps that size and scrolls.
TEST_F(LayoutWindowTest, StripsBeyondTenLinesKeepTheirSizeAndScroll) {
    frmMain& w = *Window;
    Load(MeshesOf({430}));
    EXPECT_EQ(w.picTopBar->height(), 204);
    EXPECT_EQ(w.picPoint(429).Top, 181);
    EXPECT_EQ(w.picTopBar->ScrollOffset(), 0);
    EXPECT_EQ(MinHeight, 208.0f + 393 + 60);
    Load(MeshesOf({5000, 3}));
    EXPECT_EQ(w.picTopBar->height(), 204) << "held at ten rows";
    EXPECT_EQ(w.picSideBar->width(), 204) << "held at ten columns";
    EXPECT_EQ(MinHeight, 208.0f + 393 + 60);
    EXPECT_GE(w.picMain->width(), 200);
    EXPECT_GE(w.picMain->height(), 200);
    for (QWidget* control :
         std::initializer_list<QWidget*>{w.picMain, w.frameControls, w.picTopBar, w.picSideBar}) {
        EXPECT_TRUE(w.rect().contains(control->geometry().translated(control->parentWidget()->pos())))
            << control->metaObject()->className();
    }
    // Every box can be reached: the wheel scrolls the strip, and the keyboard's focus stays in view.
    const QPoint middle = w.picTopBar->rect().center();
    QWheelEvent turn(middle, w.picTopBar->mapToGlobal(middle), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w.picTopBar, &turn);
    EXPECT_EQ(w.picTopBar->ScrollOffset(), 60) << "three rows a notch";
    w.picSideBar->setFocus();
    for (int i = 0; i < 15; ++i) {
        QTest::keyClick(w.picSideBar, Qt::Key_Right);
    }
    const BoxElement& focused = w.picLine(w.picSideBar->FocusIndex());
    const int shownLeft = static_cast<int>(focused.Left) - w.picSideBar->ScrollOffset();
    EXPECT_GT(w.picSideBar->ScrollOffset(), 0);
    EXPECT_GE(shownLeft, 0);
    EXPECT_LE(shownLeft + static_cast<int>(focused.Width), w.picSideBar->width());
    // A click lands on the box drawn under it, wherever the strip is scrolled.
    QTest::mouseClick(w.picSideBar, Qt::LeftButton, {},
                      QPoint(shownLeft + 8, static_cast<int>(focused.Top) + 8));
    EXPECT_EQ(CurrentPlacement.Selections[0].LineFlags[static_cast<size_t>(w.picSideBar->FocusIndex())], -1);
}

} // namespace quillax
