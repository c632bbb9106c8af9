#include "support/EditorFixture.h"

#include "app/frmMain.h"
#include "browse/ListBox.h"
#include "drawingarea/DrawingArea.h"
#include "objects/ObjectFileBytes.h"
#include "platform/ByteArray2D.h"
#include "sampleobjects/SampleObject.h"
#include "surface/clsOffScreenDC.h"
#include "view/GridTiling.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <cmath>
#include <tuple>

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
    static ::testing::AssertionResult LinesIn(const QImage& image, int ox, int oy, int cell, int width,
                                              int height) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const bool line = (x - ox) % cell == 0 || (y + 1 - oy) % cell == 0;
                if (image.pixel(x, y) != (line ? Grey : Black)) {
                    return ::testing::AssertionFailure()
                           << "pixel " << x << ", " << y << " of " << image.width() << " x " << image.height()
                           << " is " << std::hex << image.pixel(x, y);
                }
            }
        }
        return ::testing::AssertionSuccess();
    }
    ::testing::AssertionResult LinesAt(int ox, int oy, int cell, int width, int height) {
        return LinesIn(Window->picMain->Scene().Background(), ox, oy, cell, width, height);
    }
    // The whole image is the grid of the window's present view.
    ::testing::AssertionResult GridEverywhere(const QImage& image) {
        const MeshScene& scene = Window->picMain->Scene();
        const ViewTransform view = scene.View();
        const int ox = *GridOrigin(view.CentreX, view.Scale, view.OffsetX, view.Width);
        const int oy = *GridOrigin(view.CentreY, view.Scale, view.OffsetY, view.Height);
        return LinesIn(image, ox, oy, scene.CellSize(), image.width(), image.height());
    }
    void MiddleDrag(QPoint from, QPoint by) {
        for (const auto& [type, at, buttons] :
             {std::tuple{QEvent::MouseButtonPress, from, Qt::MiddleButton},
              std::tuple{QEvent::MouseMove, from + by, Qt::MiddleButton},
              std::tuple{QEvent::MouseButtonRelease, from + by, Qt::NoButton}}) {
            QMouseEvent event(type, at, Window->picMain->mapToGlobal(at),
                              type == QEvent::MouseMove ? Qt::NoButton : Qt::MiddleButton, buttons,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(Window->picMain, &event);
        }
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
    // The designed columns 0 to 28 from -20 cover up to x = 559, and one more tile the last column;
    // rows 0 to 25 from -8 reach past the bottom.
    EXPECT_TRUE(LinesAt(280, 252, 20, 561, 505));
    EXPECT_EQ(Pixel(560, 0), Grey);
    EXPECT_EQ(Pixel(280, 0), Grey);
    EXPECT_EQ(Pixel(0, 251), Grey);
    EXPECT_EQ(Pixel(281, 252), Black);
    EXPECT_TRUE(Boxes.Records.empty());
}

TEST_F(GridWindowTest, ZoomChangesTheCellAndLinesFollowTheOrigin) {
    Window->picMain->Scene().ViewScale = 6.25f;
    Window->RedrawView();
    EXPECT_EQ(Window->picMain->Scene().GridTileSize, 31) << "31.25 rounded";
    EXPECT_TRUE(LinesAt(280, 252, 31, 561, 505));
    Window->picMain->Scene().ViewScale = 4.0f;
    Window->cmdScaleDown->click();
    Window->cmdScaleDown->click();
    EXPECT_EQ(Window->picMain->Scene().GridTileSize, 13) << "5 x 2.56 = 12.8";
    EXPECT_TRUE(LinesAt(280, 252, 13, 561, 505));
    Window->picMain->Scene().GridSpacing = 1;
    Window->RedrawView();
    EXPECT_EQ(Window->picMain->Scene().GridTileSize, 3) << "2.56 rounded";
    EXPECT_TRUE(LinesAt(280, 252, 3, 561, 505));
}

TEST_F(GridWindowTest, WhereTheDesignedTilingStopsShortTheLinesGoOnToTheEdge) {
    // Width 100, cell 40, origin x 1: the designed tiles cover -39 .. 80, one more the rest.
    SetArea(100, 60, 1, 30);
    MarkBackground();
    Window->DrawGrid(40);
    EXPECT_EQ(Pixel(0, 0), Black);
    EXPECT_EQ(Pixel(1, 0), Grey);
    EXPECT_EQ(Pixel(41, 5), Grey);
    EXPECT_EQ(Pixel(80, 5), Black);
    EXPECT_TRUE(LinesAt(1, 30, 40, 100, 60));
}

// A user's window: resized, panned by a few pixels, redrawn and exported; whatever the designed
// tiling leaves at the right and bottom edges gets the same lines as the rest.
TEST_F(GridWindowTest, ResizedAndPannedTheGridCoversTheWholeArea) {
    Window->resize(880, 580);
    ASSERT_TRUE(GridEverywhere(Window->picMain->Scene().Background()));
    for (const QPoint by : {QPoint(9, 0), QPoint(0, 9), QPoint(-7, -13)}) {
        MiddleDrag(QPoint(200, 200), by);
        EXPECT_TRUE(GridEverywhere(Window->picMain->Scene().Background())) << by.x() << ", " << by.y();
        Window->cmdRefresh->click();
        EXPECT_TRUE(GridEverywhere(Window->picMain->Scene().Background())) << by.x() << ", " << by.y();
    }
    const std::string exported = Folder.Path("view.png");
    ASSERT_TRUE(Window->ExportView(exported));
    const QImage image = QImage(QString::fromStdString(exported)).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(image.size(), Window->picMain->size());
    EXPECT_TRUE(GridEverywhere(image));
    EXPECT_TRUE(Boxes.Records.empty());
}

// Opened straight away, as from the command line, in windows of a few widths: the strips grow the
// window step by step, and the last redraw's grid covers every pixel that earlier ones drew.
TEST_F(GridWindowTest, StartedWithAFileTheGridCoversTheWholeArea) {
    const std::string ship = Folder.Path("ship.lin");
    WriteLinFile(ship, ObjectFileBytes(SampleShip()));
    for (const int width : {860, 862, 864, 872}) {
        Window = std::make_unique<frmMain>();
        Window->resize(width, Window->height());
        Window->show();
        Window->RunHandler([&] { Window->LoadObject(ship); });
        ASSERT_EQ(Window->LstMeshes->ListCount(), 5);
        EXPECT_EQ(Window->picMain->Scene().Background().size(), Window->picMain->size());
        EXPECT_TRUE(GridEverywhere(Window->picMain->Scene().Background())) << width;
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
    EXPECT_TRUE(LinesAt(280, 252, 25, 561, 505));
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
    const NodeElement before = Window->picMain->Scene().NodeAt(2);
    Window->chkGrid->click();
    EXPECT_FALSE(Window->chkGrid->isChecked());
    EXPECT_EQ(Pixel(280, 10), Black);
    EXPECT_EQ(Window->picMain->Scene().Node.Count(), 7);
    EXPECT_EQ(Window->picMain->Scene().NodeAt(2).Left, before.Left);
    EXPECT_EQ(Window->picMain->Scene().NodeAt(2).Visible, before.Visible);
    Window->cmdRefresh->click();
    EXPECT_EQ(Pixel(280, 10), Black) << "every redraw follows the box";
    Window->chkGrid->click();
    EXPECT_TRUE(LinesAt(280, 252, 20, 561, 505));
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
    // The designed tile, from (-29720, -29748): black left of the origin, its bottom line at y = 251.
    // It stops short at x = 280 and y = 252, where the next tiles go on with the lines.
    EXPECT_EQ(Pixel(0, 0), Black);
    EXPECT_EQ(Pixel(279, 250), Black);
    EXPECT_EQ(Pixel(0, 251), Grey);
    EXPECT_EQ(Pixel(279, 251), Grey);
    EXPECT_TRUE(LinesAt(280, 252, 30000, 561, 505));
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
