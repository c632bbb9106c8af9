#include "view/ViewTransform.h"
#include "view/UnscaledBounds.h"
#include "view/ViewZoom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace quillax {

namespace {
ViewTransform DesignView(float scale = 4, float centreX = 0, float centreY = 0) {
    ViewTransform view;
    view.Scale = scale;
    view.CentreX = centreX;
    view.CentreY = centreY;
    view.Width = 561;
    view.Height = 505;
    return view;
}

void ExpectAt(const ScreenPoint& point, double x, double y) {
    EXPECT_EQ(point.X, x);
    EXPECT_EQ(point.Y, y);
}
} // namespace

TEST(ModelToScreen, WorkedFiguresRoundHalvesToEven) {
    ExpectAt(ModelToScreen(DesignView(), 10, -5), 320, 232);
    ExpectAt(ModelToScreen(DesignView(4, 10, 0), 10, 0), 290, 252);
    ExpectAt(ModelToScreen(DesignView(4, 0, 0), 0.125f, 0), 281, 252);
}

TEST(ModelToScreen, ThePivotStaysWhereItIsAtEveryZoom) {
    for (const float scale : {0.5f, 4.0f, 9.765625f, 1000.0f}) {
        ExpectAt(ModelToScreen(DesignView(scale, 7, -3), 7, -3), 288, 250);
    }
    ExpectAt(ModelToScreen(DesignView(8, 7, -3), 9, -3), 304, 250);
}

TEST(ModelToScreen, RotatesAboutThePivotAndAddsPlacementAndPan) {
    ViewTransform view = DesignView();
    view.SinAngle = 1;
    view.CosAngle = std::cos(std::numbers::pi / 2);
    ExpectAt(ModelToScreen(view, 10, 0), 280, 292);
    view = DesignView(2, 1, 1);
    view.PositionX = 3;
    view.PositionY = -2;
    view.OffsetX = 1;
    view.OffsetY = 4;
    // S(X - Cx) + S(Px - Ox) + Cx + W/2 = 18 + 4 + 1 + 280.5; likewise for y.
    ExpectAt(ModelToScreen(view, 10, 5), 304, 250);
}

TEST(ModelToScreen, MatchesTheClosedFormForAnyAngle) {
    ViewTransform view = DesignView(6.25f, 3, -2);
    const double angle = 0.7;
    view.SinAngle = std::sin(angle);
    view.CosAngle = std::cos(angle);
    for (const auto& [x, y] : {std::pair{10.3f, -4.1f}, {-7.2f, 8.9f}, {0.0f, 0.0f}}) {
        const double u = x - 3.0;
        const double v = y + 2.0;
        const ScreenPoint point = ModelToScreen(view, x, y);
        EXPECT_NEAR(point.X, 6.25 * (u * std::cos(angle) - v * std::sin(angle)) + 3 + 280.5, 0.5 + 1e-9);
        EXPECT_NEAR(point.Y, 6.25 * (u * std::sin(angle) + v * std::cos(angle)) - 2 + 252.5, 0.5 + 1e-9);
        EXPECT_EQ(point.X, std::round(point.X));
    }
}

TEST(ModelToScreen, BeyondSixteenBitsGivesTheWideValueInsteadOfAnOverflow) {
    ExpectAt(ModelToScreen(DesignView(1e6f), 100, -100), 100000280, -99999748);
    const ScreenPoint far = ModelToScreen(DesignView(), 1e30f, -1e30f);
    EXPECT_TRUE(far.IsFinite());
    EXPECT_GT(far.X, 3e30);
    EXPECT_LT(far.Y, -3e30);
}

TEST(ModelToScreen, APointWithoutAPositionIsNaN) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_FALSE(ModelToScreen(DesignView(), nan, 0).IsFinite());
    EXPECT_FALSE(ModelToScreen(DesignView(), 0, inf).IsFinite());
    EXPECT_FALSE(ModelToScreen(DesignView(inf), 0, 0).IsFinite());
    const ScreenPoint point = ModelToScreen(DesignView(), nan, 0);
    EXPECT_TRUE(std::isnan(point.X) && std::isnan(point.Y));
}

TEST(SinglePosition, HoldsFarPositionsAtTheSingleRange) {
    EXPECT_EQ(SinglePosition(320), 320.0f);
    EXPECT_EQ(SinglePosition(1e300), std::numeric_limits<float>::max());
    EXPECT_EQ(SinglePosition(-1e300), -std::numeric_limits<float>::max());
    EXPECT_EQ(SinglePosition(-INFINITY), -std::numeric_limits<float>::max());
    EXPECT_EQ(SinglePosition(std::numeric_limits<float>::max() * 1.0000001),
              std::numeric_limits<float>::max());
    EXPECT_TRUE(std::signbit(SinglePosition(-0.0)));
    EXPECT_TRUE(std::isnan(SinglePosition(NAN)));
}

TEST(Zoom, StepsInAndOutAccumulateSinglePrecisionRounding) {
    float scale = 4;
    for (const float expected : {5.0f, 6.25f, 7.8125f, 9.765625f}) {
        scale = ZoomedIn(scale);
        EXPECT_EQ(scale, expected);
    }
    scale = 4;
    for (const float expected : {3.2f, 2.56f, std::nextafter(2.048f, 0.0f)}) {
        scale = ZoomedOut(scale);
        EXPECT_EQ(scale, expected);
    }
    EXPECT_NEAR(scale, 2.0479998588562, 1e-12);
    EXPECT_EQ(ZoomedOut(ZoomedIn(4)), 4.0f);
}

// Holding a zoom key down for a minute must never leave a zoom the other key cannot undo.
TEST(Zoom, StepsStopAtTheEdgesOfTheNormalSingleRange) {
    float scale = 4;
    for (int i = 0; i < 2000; ++i) {
        scale = ZoomedOut(scale);
    }
    EXPECT_GE(scale, std::numeric_limits<float>::min());
    EXPECT_EQ(ZoomedOut(scale), scale);
    EXPECT_GT(ZoomedIn(scale), scale);
    for (int i = 0; i < 2000; ++i) {
        scale = ZoomedIn(scale);
    }
    EXPECT_TRUE(std::isfinite(scale));
    EXPECT_EQ(ZoomedIn(scale), scale);
    EXPECT_LT(ZoomedOut(scale), scale);
}

TEST(Zoom, GridCellSizeRoundsAndStaysWithinSixteenBits) {
    EXPECT_EQ(GridCellSize(5, 4), 20);
    EXPECT_EQ(GridCellSize(5, 6.25f), 31);
    EXPECT_EQ(GridCellSize(1, 2.56f), 3);
    EXPECT_EQ(GridCellSize(5, 2.56f), 13);
    EXPECT_EQ(GridCellSize(1, 2.5f), 2);
    EXPECT_EQ(GridCellSize(32767, 4), 32767);
    EXPECT_EQ(GridCellSize(5, std::numeric_limits<float>::infinity()), 32767);
    EXPECT_EQ(GridCellSize(5, std::numeric_limits<float>::quiet_NaN()), 0);
}

// Home's bounds are taken eight points abreast and shared between threads: over meshes of odd sizes,
// turned, with coordinates that are not finite among them, they are those of one plain pass.
TEST(UnscaledBounds, AreThoseOfOnePassOverEveryFinitePoint) {
    ObjectFile object;
    for (const int16_t size : {int16_t{3}, int16_t{32767}, int16_t{9}, int16_t{32767}, int16_t{32767}}) {
        Mesh& mesh = object.Meshes.emplace_back();
        mesh.PointCount = size;
        for (int16_t k = 0; k < size; ++k) {
            mesh.X.push_back(static_cast<float>(std::sin(k * 0.37 + size) * 1000));
            mesh.Y.push_back(static_cast<float>(std::cos(k * 0.11 - size) * 700));
        }
    }
    object.MeshCount = static_cast<int16_t>(object.Meshes.size());
    // The extremes at the ends of the passes: the tail of a mesh shorter than eight points, of a longer
    // one and of the last, and where the second thread's share begins.
    object.Meshes[0].X[2] = 5000;
    object.Meshes[2].X[8] = -5000;
    object.Meshes[3].Y[16377] = 4000;
    object.Meshes[4].Y[32766] = -4000;
    object.Meshes[1].X[5] = std::numeric_limits<float>::infinity();
    object.Meshes[1].Y[7] = std::numeric_limits<float>::quiet_NaN();
    object.Meshes[3].X[32766] = -std::numeric_limits<float>::infinity();
    ViewTransform view = DesignView(4, 12.5f, -3.25f);
    view.SinAngle = std::sin(0.3);
    view.CosAngle = std::cos(0.3);
    view.PositionX = 7;
    AxisBounds across;
    AxisBounds down;
    for (const Mesh& mesh : object.Meshes) {
        for (size_t k = 0; k < mesh.X.size(); ++k) {
            if (std::isfinite(mesh.X[k]) && std::isfinite(mesh.Y[k])) {
                const double u = static_cast<double>(mesh.X[k]) - view.CentreX;
                const double v = static_cast<double>(mesh.Y[k]) - view.CentreY;
                across.Add(u * view.CosAngle - v * view.SinAngle + view.PositionX);
                down.Add(u * view.SinAngle + v * view.CosAngle + view.PositionY);
            }
        }
    }
    const UnscaledBounds bounds = UnscaledBoundsOf(object, view);
    EXPECT_EQ(bounds.Across.Low, across.Low);
    EXPECT_EQ(bounds.Across.High, across.High);
    EXPECT_EQ(bounds.Down.Low, down.Low);
    EXPECT_EQ(bounds.Down.High, down.High);
}

} // namespace quillax
