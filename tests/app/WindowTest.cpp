#include "support/EditorFixture.h"

#include "app/frmMain.h"
#include "app/modWinSize.h"
#include "browse/ListBox.h"
#include "browse/SelectorStrip.h"
#include "drawingarea/DrawingArea.h"
#include "surface/clsOffScreenDC.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QWindow>

namespace quillax {

using WindowTest = EditorFixture;

TEST_F(WindowTest, OpensWithTheDesignedStateAndCaptions) {
    frmMain& w = *Window;
    ASSERT_NE(w.windowHandle(), nullptr);
    EXPECT_EQ(w.windowHandle()->title(), "Quillax Object Editor")
        << "the caption as the window system shows it";
    EXPECT_EQ(w.ScaleWidth(), 872.0f);
    EXPECT_EQ(w.ScaleHeight(), 555.0f);
    EXPECT_EQ(w.picMain->Scene().ViewScale, 4.0f);
    EXPECT_EQ(w.picMain->Scene().GridSpacing, 5);
    EXPECT_EQ(w.picMain->Scene().ViewOffsetX, 0);
    EXPECT_EQ(w.picMain->Scene().ViewOffsetY, 0);
    EXPECT_EQ(w.mnuFile->title(), "Menu Bar [TODO]");
    EXPECT_TRUE(w.mnuFile->actions().isEmpty());
    EXPECT_EQ(w.frameControls->title(), "Controls");
    EXPECT_EQ(w.lblGridSpace->text(), "Grid Spacing is: 5");
    EXPECT_EQ(w.Label1->text(), "Meshes:");
    EXPECT_EQ(w.cmdLoadFile->text(), "Load File");
    EXPECT_EQ(w.cmdScaleDown->text(), "--");
    EXPECT_EQ(w.cmdGridSpaceInc->text(), "+");
    EXPECT_TRUE(w.chkGrid->isChecked());
    EXPECT_EQ(w.chkGrid->text(), "Show Grid");
    EXPECT_EQ(w.LstMeshes->count(), 0);
    EXPECT_EQ(w.LstMeshes->ListIndex(), -1);
    EXPECT_EQ(w.frameControls->size(), QSize(249, 393));
    EXPECT_EQ(w.cmdScaleUp->geometry(), QRect(208, 96, 33, 25));
    EXPECT_EQ(w.LstMeshes->geometry(), QRect(16, 32, 129, 108));
    EXPECT_TRUE(w.picMain->Scene().Node.IsEmpty());
    EXPECT_TRUE(w.picMain->Scene().Joint.IsEmpty());
    EXPECT_TRUE(w.picPoint.IsEmpty());
    EXPECT_TRUE(w.picLine.IsEmpty());
    EXPECT_EQ(w.picMain->Scene().NodeAt(0).FillColor, 192);
    EXPECT_EQ(w.picMain->Scene().JointAt(0).BorderColor, 128);
    EXPECT_EQ(w.picTopBar->ShownColour(0), 128);
    EXPECT_EQ(w.picSideBar->ShownColour(0), 32768);
    EXPECT_EQ(MinWidth, 712.0f);
    EXPECT_EQ(w.minimumWidth(), 712 - (w.frameGeometry().width() - w.width())) << "the hook is installed";
}

TEST_F(WindowTest, TabOrderFollowsTheDesign) {
    frmMain& w = *Window;
    // The strips stand where their panels stand: picTopBar 2, picSideBar 3.
    const QWidget* expected[] = {w.picMain,   w.picTopBar,       w.picSideBar,     w.cmdLoadFile,
                                 w.LstMeshes, w.cmdRefresh,      w.cmdScaleDown,   w.cmdScaleUp,
                                 w.chkGrid,   w.cmdGridSpaceDec, w.cmdGridSpaceInc};
    std::vector<const QWidget*> tabStops;
    const QWidget* widget = w.picMain;
    do {
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(&w)) {
            tabStops.push_back(widget);
        }
        widget = widget->nextInFocusChain();
    } while (widget != w.picMain);
    EXPECT_EQ(tabStops, std::vector<const QWidget*>(std::begin(expected), std::end(expected)));
}

TEST_F(WindowTest, ClosingRemovesTheHookAndReleasesTheSurface) {
    ASSERT_NE(Window->picMain->Scene().Surface, nullptr);
    EXPECT_NE(Window->picMain->Scene().Surface->DC(), 0u) << "the first resize drew the grid tile into it";
    Window->close();
    EXPECT_EQ(Window->minimumSize(), QSize(0, 0)) << "the hook is removed";
    EXPECT_EQ(Window->picMain->Scene().Surface, nullptr);
}

} // namespace quillax
