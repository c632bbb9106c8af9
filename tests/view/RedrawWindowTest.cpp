#include "support/EditorFixture.h"

#include "app/frmMain.h"
#include "browse/ListBox.h"
#include "drawingarea/DrawingArea.h"
#include "objects/modObjects.h"
#include "view/MeshColour.h"
#include "view/ViewTransform.h"

#include <QCheckBox>
#include <QPushButton>

#include <cmath>
#include <limits>

namespace quillax {

namespace {
constexpr int32_t Mesh0Chosen = 33023;
constexpr int32_t Mesh1Dimmed = 64 + 32 * 256 + 16 * 65536;

QRgb Rgb(int32_t colour) {
    return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

QPoint CentreOf(const NodeElement& node) {
    return {static_cast<int>(node.Left + node.Width / 2), static_cast<int>(node.Top + node.Height / 2)};
}

class RedrawWindowTest : public EditorFixture {
protected:
    // Every marker sits where the window's current view maps its point.
    void ExpectMarkersMapped() {
        const ViewTransform view = Window->picMain->Scene().View();
        int32_t n = 0;
        for (const Mesh& mesh : CurrentObject.Meshes) {
            for (size_t k = 0; k < mesh.X.size(); ++k, ++n) {
                const ScreenPoint point = ModelToScreen(view, mesh.X[k], mesh.Y[k]);
                const NodeElement node = Window->picMain->Scene().NodeAt(n);
                EXPECT_EQ(node.Left, SinglePosition(point.X - node.Width / 2.0)) << n;
                EXPECT_EQ(node.Top, SinglePosition(point.Y - node.Height / 2.0)) << n;
            }
        }
    }

    QImage Shown() { return Window->picMain->grab().toImage().convertToFormat(QImage::Format_RGB32); }
};
} // namespace

TEST_F(RedrawWindowTest, LoadDrawsTheChosenMeshInFullColourAndTheOthersDimmed) {
    Load(MeshesOf({3, 2}));
    ASSERT_EQ(Window->picMain->Scene().Node.Count(), 5);
    ASSERT_EQ(Window->picMain->Scene().Joint.Count(), 3);
    ExpectMarkersMapped();
    EXPECT_EQ(Window->picMain->Scene().NodeAt(0).FillColor, Mesh0Chosen);
    EXPECT_EQ(Window->picMain->Scene().JointAt(1).BorderColor, Mesh0Chosen);
    EXPECT_EQ(Window->picMain->Scene().NodeAt(3).FillColor, Mesh1Dimmed);
    EXPECT_EQ(Window->picMain->Scene().JointAt(2).BorderColor, Mesh1Dimmed);
    EXPECT_EQ(Window->picMain->Scene().JointAt(2).X1, Window->picMain->Scene().NodeAt(3).Left + 1.5f);
    Window->LstMeshes->SetListIndex(1);
    EXPECT_EQ(Window->picMain->Scene().NodeAt(0).FillColor, 64 + 32 * 256);
    EXPECT_EQ(Window->picMain->Scene().NodeAt(4).FillColor, 255 + 128 * 256 + 64 * 65536);
    EXPECT_TRUE(Boxes.Records.empty());
}

TEST_F(RedrawWindowTest, TheDrawingAreaShowsMarkersAndSegmentsOverTheBackground) {
    Load(MeshesOf({3, 2}));
    Window->chkGrid->click();
    Window->cmdRefresh->click();
    const QImage shown = Shown();
    const QPoint first = CentreOf(Window->picMain->Scene().NodeAt(0));
    const QPoint second = CentreOf(Window->picMain->Scene().NodeAt(1));
    EXPECT_EQ(shown.pixel(first), Rgb(Mesh0Chosen));
    EXPECT_EQ(shown.pixel((first + second) / 2), Rgb(Mesh0Chosen));
    EXPECT_EQ(shown.pixel(CentreOf(Window->picMain->Scene().NodeAt(3))), Rgb(Mesh1Dimmed));
    EXPECT_EQ(shown.pixel((CentreOf(Window->picMain->Scene().NodeAt(3)) +
                           CentreOf(Window->picMain->Scene().NodeAt(4))) /
                          2),
              Rgb(Mesh1Dimmed));
    EXPECT_EQ(shown.pixel(first + QPoint(0, 5)), qRgb(0, 0, 0));
    // A marked point is white-outlined and larger after the next redraw.
    CurrentPlacement.Selections[0].PointFlags[1] = -1;
    Window->cmdRefresh->click();
    EXPECT_EQ(Window->picMain->Scene().NodeAt(1).Width, 5.0f);
    EXPECT_EQ(Shown().pixel(second + QPoint(2, 0)), Rgb(White));
}

// Three meshes over each other, the middle one chosen: it lies over the dimmed ones before and
// after it, and its marked line and point over everything.
TEST_F(RedrawWindowTest, TheChosenMeshAndItsMarksArePaintedOverTheOthers) {
    LinObject object;
    const std::vector<std::pair<float, float>> upright = {{0, -10}, {0, 0}, {0, 10}};
    object.Meshes = {
        {1, 0, 0, 0, 0, {{-10, 0}, {10, 0}}, -1}, {0, 1, 0, 0, 0, upright, -1}, {0, 0, 1, 0, 0, upright, -1}};
    Load(object);
    Window->LstMeshes->SetListIndex(1);
    const QPoint top = CentreOf(Window->picMain->Scene().NodeAt(2));
    const QPoint middle = CentreOf(Window->picMain->Scene().NodeAt(3));
    const QPoint above = (top + middle) / 2;
    QImage shown = Shown();
    EXPECT_EQ(shown.pixel(middle), qRgb(0, 255, 0)) << "the chosen marker over the later mesh's";
    EXPECT_EQ(shown.pixel(above), qRgb(0, 255, 0)) << "the chosen segment over the later mesh's";
    EXPECT_EQ(shown.pixel(middle + QPoint(3, 0)), qRgb(64, 0, 0)) << "the earlier mesh under both";
    Window->picPoint_Click(1);
    Window->picLine_Click(0);
    shown = Shown();
    EXPECT_EQ(shown.pixel(middle), qRgb(0, 255, 0)) << "the marked point's fill";
    EXPECT_EQ(shown.pixel(middle + QPoint(2, 0)), Rgb(White));
    EXPECT_EQ(shown.pixel(middle + QPoint(0, -2)), Rgb(White));
    EXPECT_EQ(shown.pixel(above), Rgb(White)) << "the marked line over every segment";
    EXPECT_EQ(shown.pixel(top), Rgb(White)) << "and over the chosen mesh's unmarked markers";
    EXPECT_TRUE(Boxes.Records.empty());
}

TEST_F(RedrawWindowTest, ZoomButtonsScaleAboutThePivotAndRedraw) {
    Load(MeshesOf({3, 2}));
    const float firstLeft = Window->picMain->Scene().NodeAt(0).Left;
    for (const float expected : {5.0f, 6.25f, 7.8125f, 9.765625f}) {
        Window->cmdScaleUp->click();
        EXPECT_EQ(Window->picMain->Scene().ViewScale, expected);
        ExpectMarkersMapped();
    }
    for (int k = 0; k < 4; ++k) {
        Window->cmdScaleDown->click();
    }
    EXPECT_EQ(Window->picMain->Scene().ViewScale, 4.0f);
    EXPECT_EQ(Window->picMain->Scene().NodeAt(0).Left, firstLeft);
    for (const float expected : {3.2f, 2.56f, std::nextafter(2.048f, 0.0f)}) {
        Window->cmdScaleDown->click();
        EXPECT_EQ(Window->picMain->Scene().ViewScale, expected);
    }
    ExpectMarkersMapped();
}

TEST_F(RedrawWindowTest, EveryResizeRedrawsForTheNewSize) {
    Load(MeshesOf({3, 2}));
    const int16_t width = Window->picMain->Scene().ViewWidth;
    Window->resize(Window->width() + 100, Window->height() + 40);
    EXPECT_NE(Window->picMain->Scene().ViewWidth, width);
    ExpectMarkersMapped();
    EXPECT_EQ(Window->picMain->Scene().Background().size(), Window->picMain->size());
}

TEST_F(RedrawWindowTest, ZoomingFarInOrOutKeepsTheEditorWorking) {
    Load(MeshesOf({3, 2}));
    for (int k = 0; k < 60; ++k) {
        Window->cmdScaleUp->click();
    }
    EXPECT_GT(std::abs(Window->picMain->Scene().NodeAt(0).Left), 32767.0f);
    ExpectMarkersMapped();
    EXPECT_FALSE(Shown().isNull());
    for (int k = 0; k < 260; ++k) {
        Window->cmdScaleDown->click();
    }
    EXPECT_LT(Window->picMain->Scene().ViewScale, 1e-18f);
    ExpectMarkersMapped();
    for (int k = 0; k < 1000; ++k) {
        Window->cmdScaleUp->click();
    }
    const float top = Window->picMain->Scene().ViewScale;
    EXPECT_TRUE(std::isfinite(top)) << "the zoom stops at the largest single";
    EXPECT_FALSE(Shown().isNull());
    Window->cmdScaleDown->click();
    EXPECT_LT(Window->picMain->Scene().ViewScale, top);
    EXPECT_TRUE(Boxes.Records.empty());
}

TEST_F(RedrawWindowTest, PointsWithoutAPositionOrFarAwayAreLeftOutQuietly) {
    LinObject object = MeshesOf({3});
    object.Meshes[0].Points[1] = {std::numeric_limits<float>::quiet_NaN(), 0};
    object.Meshes[0].Points[2] = {1e30f, -1e30f};
    object.Meshes[0].Red = -1;
    Load(object);
    EXPECT_TRUE(Boxes.Records.empty());
    EXPECT_EQ(Window->picMain->Scene().NodeAt(0).FillColor, 128 * 256);
    EXPECT_TRUE(std::isnan(Window->picMain->Scene().NodeAt(1).Left));
    EXPECT_GT(Window->picMain->Scene().NodeAt(2).Left, 1e30f);
    const QImage shown = Shown();
    EXPECT_EQ(shown.pixel(CentreOf(Window->picMain->Scene().NodeAt(0))), Rgb(128 * 256));
}

} // namespace quillax
