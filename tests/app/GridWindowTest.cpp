#include "support/EditorFixture.h"

#include "app/frmMain.h"
#include "drawingarea/DrawingArea.h"
#include "platform/ByteArray2D.h"
#include "surface/clsOffScreenDC.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include <cmath>

namespace quillax {

namespace {
const QRgb Grey = qRgb(64, 64, 64);
const QRgb Black = qRgb(0, 0, 0);
const QRgb Marked = qRgb(200, 0, 0);

class GridWindowTest : public EditorFixture {
protected:
    // The drawing area at the design's size, its origin then at (280, 252); what the first resize
    // drew is kept aside.
    GridWindowTest()
        : StartUp(Window->picMain->Scene().Background().copy()),
          StartUpWidth(Window->picMain->Scene().ViewWidth),
          StartUpHeight(Window->picMain->Scene().ViewHeight) {
        SetArea(561, 505, 280.5, 252.5);
    }

    // The drawing area of width x height, panned so that the object's origin is drawn at (x, y).
    void SetArea(int width, int height, double x, double y) {
        Window->picMain->resize(width, height);
        MeshScene& scene = Window->picMain->Scene();
        scene.ViewOffsetX = static_cast<float>((width / 2.0 - x) / scene.ViewScale);
        scene.ViewOffsetY = static_cast<float>((height / 2.0 - y) / scene.ViewScale);
    }
    QRgb Pixel(int x, int y) { return Window->picMain->Scene().Background().pixel(x, y); }
    void MarkBackground() { Window->picMain->Scene().Background().fill(Marked); }

    // Over the width x height the tiles cover: vertical lines through x = ox + m x cell, horizontal
    // lines one pixel above y = oy + m x cell, black elsewhere; the first mismatch is reported.
    ::testing::AssertionResult LinesAt(int ox, int oy, int cell, int width, int height) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const bool line = (x - ox) % cell == 0 || (y + 1 - oy) % cell == 0;
                if (Pixel(x, y) != (line ? Grey : Black)) {
                    return ::testing::AssertionFailure()
                           << "pixel " << x << ", " << y << " is " << std::hex << Pixel(x, y);
                }
            }
        }
        return ::testing::AssertionSuccess();
    }

    QImage StartUp;
    int StartUpWidth;
    int StartUpHeight;
};
} // namespace

TEST_F(GridWindowTest, FirstResizeDrawsTheGridBehindTheEmptyView) {
    EXPECT_EQ(Window->picMain->Scene().GridTileSize, 20);
    ASSERT_EQ(StartUp.size(), QSize(StartUpWidth, StartUpHeight));
    const int ox = static_cast<int>(std::nearbyint(StartUpWidth / 2.0));
    const int oy = static_cast<int>(std::nearbyint(StartUpHeight / 2.0));
    EXPECT_EQ(StartUp.pixel(ox, 0), Grey);
    EXPECT_EQ(StartUp.pixel(ox + 1, 0), Black);
    EXPECT_EQ(StartUp.pixel(ox - 10, oy - 1), Grey);
    EXPECT_EQ(StartUp.pixel(ox - 10, oy), Black);
}

TEST_F(GridWindowTest, StartUpGridLinesFollowTheOrigin) {
    MarkBackground();
    Window->RedrawView();
    EXPECT_EQ(Window->picMain->Scene().GridTileSize, 20);
    EXPECT_EQ(Window->picMain->Scene().Surface->GetWidth(), 20);
    EXPECT_EQ(Window->picMain->Scene().Surface->GetHeight(), 20);
    // Columns 0 to 28 from -20 cover up to x = 559; rows 0 to 25 from -8 reach past the bottom.
    EXPECT_TRUE(LinesAt(280, 252, 20, 560, 505));
    EXPECT_EQ(Pixel(560, 0), Marked);
    EXPECT_EQ(Pixel(280, 0), Grey);
    EXPECT_EQ(Pixel(0, 251), Grey);
    EXPECT_EQ(Pixel(281, 252), Black);
    EXPECT_TRUE(Boxes.Records.empty());
}

TEST_F(GridWindowTest, ZoomChangesTheCellAndLinesFollowTheOrigin) {
    Window->picMain->Scene().ViewScale = 6.25f;
    Window->RedrawView();
    EXPECT_EQ(Window->picMain->Scene().GridTileSize, 31) << "31.25 rounded";
    EXPECT_TRUE(LinesAt(280, 252, 31, 559, 500));
    Window->picMain->Scene().ViewScale = 4.0f;
    Window->cmdScaleDown->click();
    Window->cmdScaleDown->click();
    EXPECT_EQ(Window->picMain->Scene().GridTileSize, 13) << "5 x 2.56 = 12.8";
    EXPECT_TRUE(LinesAt(280, 252, 13, 561, 505));
    Window->picMain->Scene().GridSpacing = 1;
    Window->RedrawView();
    EXPECT_EQ(Window->picMain->Scene().GridTileSize, 3) << "2.56 rounded";
    EXPECT_TRUE(LinesAt(280, 252, 3, 561, 504));
}

TEST_F(GridWindowTest, TilingStopsShortAndLeavesTheRestAsItWas) {
    // Width 100, cell 40, origin x 1: tiles cover -39 .. 80.
    SetArea(100, 60, 1, 30);
    MarkBackground();
    Window->DrawGrid(40);
    EXPECT_EQ(Pixel(0, 0), Black);
    EXPECT_EQ(Pixel(1, 0), Grey);
    EXPECT_EQ(Pixel(41, 5), Grey);
    EXPECT_EQ(Pixel(80, 5), Black);
    for (int x = 81; x < 100; ++x) {
        EXPECT_EQ(Pixel(x, 5), Marked) << x;
    }
}

TEST_F(GridWindowTest, TileIsRebuiltOnlyWhenTheCellChanges) {
    Window->RedrawView();
    const uint32_t firstTile = Window->picMain->Scene().Surface->DC();
    // A mark on the held tile's bottom-right pixel shows whether the next redraw reused it.
    ByteArray2D tile;
    Window->picMain->Scene().Surface->GetByteArray(tile);
    tile(3 * 19, 0) = 255;
    Window->picMain->Scene().Surface->SetByteArray(tile);
    Window->cmdRefresh->click();
    EXPECT_EQ(Window->picMain->Scene().Surface->DC(), firstTile);
    EXPECT_EQ(Pixel(280 + 19, 251), qRgb(64, 64, 255));
    Window->cmdScaleUp->click();
    EXPECT_NE(Window->picMain->Scene().Surface->DC(), firstTile);
    EXPECT_EQ(Window->picMain->Scene().GridTileSize, 25);
    EXPECT_TRUE(LinesAt(280, 252, 25, 555, 502));
}

TEST_F(GridWindowTest, SpacingButtonsStepTheSpacingAndRedraw) {
    Window->cmdGridSpaceInc->click();
    EXPECT_EQ(Window->picMain->Scene().GridSpacing, 6);
    EXPECT_EQ(Window->lblGridSpace->text(), "Grid Spacing is: 6");
    EXPECT_TRUE(LinesAt(280, 252, 24, 561, 505));
    Window->cmdGridSpaceDec->click();
    Window->cmdGridSpaceDec->click();
    EXPECT_EQ(Window->lblGridSpace->text(), "Grid Spacing is: 4");
    EXPECT_TRUE(LinesAt(280, 252, 16, 561, 505));
}

TEST_F(GridWindowTest, SpacingStopsAtOneAndAtItsLargestWithoutARedraw) {
    Window->picMain->Scene().GridSpacing = 1;
    Window->lblGridSpace->setText("as it was");
    MarkBackground();
    Window->cmdGridSpaceDec->click();
    EXPECT_EQ(Window->picMain->Scene().GridSpacing, 1);
    EXPECT_EQ(Window->lblGridSpace->text(), "as it was");
    EXPECT_EQ(Pixel(5, 5), Marked);
    Window->picMain->Scene().GridSpacing = 32767;
    Window->cmdGridSpaceInc->click();
    EXPECT_EQ(Window->picMain->Scene().GridSpacing, 32767);
    EXPECT_EQ(Window->lblGridSpace->text(), "as it was");
    EXPECT_EQ(Pixel(5, 5), Marked);
    EXPECT_TRUE(Boxes.Records.empty());
}

TEST_F(GridWindowTest, UntickingShowGridClearsTheBackgroundAndKeepsTheMarkers) {
    Load(MeshesOf({3, 4}));
    SetArea(561, 505, 280.5, 252.5);
    const NodeElement before = Window->picMain->Scene().Node(2);
    Window->chkGrid->click();
    EXPECT_FALSE(Window->chkGrid->isChecked());
    EXPECT_EQ(Pixel(280, 10), Black);
    EXPECT_EQ(Window->picMain->Scene().Node.Count(), 7);
    EXPECT_EQ(Window->picMain->Scene().Node(2).Left, before.Left);
    EXPECT_EQ(Window->picMain->Scene().Node(2).Visible, before.Visible);
    Window->cmdRefresh->click();
    EXPECT_EQ(Pixel(280, 10), Black) << "every redraw follows the box";
    Window->chkGrid->click();
    EXPECT_TRUE(LinesAt(280, 252, 20, 560, 505));
}

TEST_F(GridWindowTest, CellBelowOnePixelLeavesABlackBackground) {
    MarkBackground();
    Window->DrawGrid(0);
    EXPECT_EQ(Pixel(280, 0), Black);
    MarkBackground();
    Window->picMain->Scene().ViewScale = 0.05f;
    Window->RedrawView();
    EXPECT_EQ(Pixel(280, 251), Black);
    EXPECT_EQ(Window->picMain->Scene().GridTileSize, 20) << "the tile held stays";
    EXPECT_TRUE(Boxes.Records.empty());
}

TEST_F(GridWindowTest, HugeCellMakesATileNoLargerThanTheAreaAndLinesWhereDesigned) {
    MarkBackground();
    Window->DrawGrid(30000);
    EXPECT_EQ(Window->picMain->Scene().GridTileSize, 30000);
    EXPECT_EQ(Window->picMain->Scene().Surface->GetWidth(), 562);
    EXPECT_EQ(Window->picMain->Scene().Surface->GetHeight(), 506);
    // One tile, from (-29720, -29748): black left of the origin, its bottom line at y = 251, and the
    // tiling stops short at x = 280.
    EXPECT_EQ(Pixel(0, 0), Black);
    EXPECT_EQ(Pixel(279, 250), Black);
    EXPECT_EQ(Pixel(0, 251), Grey);
    EXPECT_EQ(Pixel(279, 251), Grey);
    EXPECT_EQ(Pixel(10, 252), Marked);
    EXPECT_EQ(Pixel(280, 251), Marked);
    EXPECT_TRUE(Boxes.Records.empty());
}

TEST_F(GridWindowTest, ResizingTheAreaRecutsALargeTile) {
    // Origin (0, 0), cell 1000: the tile at (0, 0) lands with its line in column 0 and its bottom
    // line out of sight.
    SetArea(561, 505, 0, 0);
    Window->DrawGrid(1000);
    EXPECT_EQ(Window->picMain->Scene().Surface->GetWidth(), 562);
    SetArea(700, 505, 0, 0);
    MarkBackground();
    Window->DrawGrid(1000);
    EXPECT_EQ(Window->picMain->Scene().Surface->GetWidth(), 701);
    EXPECT_EQ(Window->picMain->Scene().Surface->GetHeight(), 506);
    EXPECT_EQ(Pixel(0, 504), Grey);
    EXPECT_EQ(Pixel(1, 504), Black);
    EXPECT_EQ(Pixel(699, 0), Black);
    EXPECT_EQ(Pixel(699, 504), Black);
}

} // namespace quillax
