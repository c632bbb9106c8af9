#include "platform/RuntimeError.h"
#include "support/SceneBuilder.h"
#include "view/MeshColour.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quillax {

namespace {
void ExpectSegment(const JointElement& joint, const NodeElement& from, const NodeElement& to) {
    EXPECT_EQ(joint.X1, from.Left + from.Width / 2);
    EXPECT_EQ(joint.Y1, from.Top + from.Height / 2);
    EXPECT_EQ(joint.X2, to.Left + to.Width / 2);
    EXPECT_EQ(joint.Y2, to.Top + to.Height / 2);
}
} // namespace

TEST(PlaceMarkers, CentresAPlainMarkerOnItsMappedPosition) {
    Scene scene({{{10, -5}, {0, 0}}});
    scene.FillPools();
    scene.Redraw();
    const NodeElement node = scene.Node(0);
    EXPECT_EQ(node.Left, 318.5f);
    EXPECT_EQ(node.Top, 230.5f);
    EXPECT_EQ(node.Width, 3.0f);
    EXPECT_EQ(node.Height, 3.0f);
    EXPECT_EQ(node.FillColor, 33023);
    EXPECT_EQ(node.BorderColor, 33023);
    EXPECT_EQ(scene.Joint(0).BorderWidth, 1);
    EXPECT_EQ(scene.Joint(0).BorderColor, 33023);
    ExpectSegment(scene.Joint(0), scene.Node(0), scene.Node(1));
}

TEST(PlaceMarkers, NumbersMarkersAcrossMeshesAndNeverJoinsTwoMeshes) {
    Scene scene({{{0, 0}, {5, 0}, {10, 0}}, {{0, 20}, {5, 20}}, {}, {{30, 30}}, {{40, 40}, {45, 45}}});
    scene.FillPools();
    ASSERT_EQ(scene.Nodes.Count(), 8);
    ASSERT_EQ(scene.Joints.Count(), 4);
    scene.Redraw();
    EXPECT_EQ(scene.Node(3).Top, scene.Node(4).Top);
    EXPECT_EQ(scene.Node(3).Left + 1.5f, 280);
    ExpectSegment(scene.Joint(0), scene.Node(0), scene.Node(1));
    ExpectSegment(scene.Joint(1), scene.Node(1), scene.Node(2));
    ExpectSegment(scene.Joint(2), scene.Node(3), scene.Node(4));
    // The one-point mesh has no segment; the next mesh's segment follows on.
    ExpectSegment(scene.Joint(3), scene.Node(6), scene.Node(7));
}

TEST(PlaceMarkers, DimsEveryMeshButTheChosenOne) {
    Scene scene({{{0, 0}, {5, 0}}, {{0, 20}, {5, 20}}});
    scene.Object.Meshes[1].Blue = 1.2f;
    scene.FillPools();
    scene.Redraw(1);
    EXPECT_EQ(scene.Node(0).FillColor, 8256);
    EXPECT_EQ(scene.Joint(0).BorderColor, 8256);
    EXPECT_EQ(scene.Node(2).FillColor, 33023 + 255 * 65536);
    EXPECT_EQ(scene.Joint(1).BorderColor, 33023 + 255 * 65536);
    scene.Redraw(-1);
    EXPECT_EQ(scene.Node(0).FillColor, 8256);
    EXPECT_EQ(scene.Node(2).FillColor, 8256 + 77 * 65536);
    EXPECT_EQ(scene.Joint(1).BorderColor, 8256 + 77 * 65536);
}

TEST(PlaceMarkers, SelectedPointsAndLinesAreWhiteAndLarger) {
    Scene scene({{{0, 0}, {5, 0}, {10, 0}}, {{10, -5}, {0, 0}}});
    scene.Placement.Selections[1].PointFlags[0] = 1;
    scene.Placement.Selections[0].LineFlags[1] = -1;
    scene.FillPools();
    scene.Redraw(0);
    const NodeElement selected = scene.Node(3);
    EXPECT_EQ(selected.BorderColor, White);
    EXPECT_EQ(selected.FillColor, 8256);
    EXPECT_EQ(selected.Width, 5.0f);
    EXPECT_EQ(selected.Height, 5.0f);
    EXPECT_EQ(selected.Left, 317.5f);
    EXPECT_EQ(selected.Top, 229.5f);
    EXPECT_EQ(scene.Joint(0).BorderWidth, 1);
    EXPECT_EQ(scene.Joint(1).BorderColor, White);
    EXPECT_EQ(scene.Joint(1).BorderWidth, 2);
    // Clearing the marks gives the plain look back at the next redraw.
    scene.Placement.Selections[1].PointFlags[0] = 0;
    scene.Placement.Selections[0].LineFlags[1] = 0;
    scene.Redraw(0);
    EXPECT_EQ(scene.Node(3).Width, 3.0f);
    EXPECT_EQ(scene.Node(3).BorderColor, 8256);
    EXPECT_EQ(scene.Joint(1).BorderWidth, 1);
    EXPECT_EQ(scene.Joint(1).BorderColor, 33023);
}

TEST(PlaceMarkers, TouchesNoMarkerWithoutAnObjectAndNoneBeyondThePools) {
    Scene empty({});
    empty.Redraw();
    EXPECT_TRUE(empty.Nodes.IsEmpty());
    EXPECT_EQ(empty.Node(0).Width, 5.0f);
    EXPECT_EQ(empty.Node(0).FillColor, 192);

    // A redraw in the middle of a load (a resize raised by the layout) places what exists so far.
    Scene loading({{{0, 0}, {5, 0}, {10, 0}}});
    loading.Nodes.Add({});
    loading.Nodes.Add({});
    loading.Joints.Add();
    EXPECT_NO_THROW(loading.Redraw());
    EXPECT_EQ(loading.Nodes.Count(), 2);
    EXPECT_EQ(loading.Joints.Count(), 1);
    EXPECT_EQ(loading.Node(1).Left, 298.5f);
    EXPECT_EQ(loading.Joint(0).X2, 300.0f);
}

// Enough points to be shared between threads, the pools filled part way as in the middle of a load:
// every marker the pools hold is placed as for its own point, and none beyond.
TEST(PlaceMarkers, ALargeObjectIsPlacedPointByPoint) {
    std::vector<Scene::Points> meshes(5);
    for (size_t m = 0; m < meshes.size(); ++m) {
        for (int k = 0; k < 30000; ++k) {
            meshes[m].emplace_back(static_cast<float>(k % 97) * 0.37f - 9,
                                   static_cast<float>(m) * 3 + k % 13);
        }
    }
    Scene scene(meshes);
    scene.Placement.Selections[3].PointFlags[17] = -1;
    scene.Placement.Selections[2].LineFlags[29999 - 1] = -1;
    for (int n = 0; n < 100001; ++n) {
        scene.Nodes.Add({});
    }
    for (int j = 0; j < 99990; ++j) {
        scene.Joints.Add();
    }
    scene.Redraw(3);
    int32_t n = 0;
    int32_t j = 0;
    for (size_t m = 0; m < meshes.size(); ++m) {
        const int32_t colour = MeshColour(1.0f, 0.5f, 0, m == 3 ? ChosenFactor : DimmedFactor);
        for (size_t k = 0; k < meshes[m].size(); ++k, ++n) {
            const ScreenPoint point = ModelToScreen(scene.View, meshes[m][k].first, meshes[m][k].second);
            const bool selected = m == 3 && k == 17;
            if (n < scene.Nodes.Count()) {
                ASSERT_EQ(scene.Node(n).Left, SinglePosition(point.X - (selected ? 2.5 : 1.5))) << n;
                ASSERT_EQ(scene.Node(n).Top, SinglePosition(point.Y - (selected ? 2.5 : 1.5))) << n;
                ASSERT_EQ(scene.Node(n).FillColor, colour) << n;
            }
            if (k > 0 && j < scene.Joints.Count()) {
                ASSERT_EQ(scene.Joint(j).X2, SinglePosition(point.X)) << j;
                ASSERT_EQ(scene.Joint(j).BorderColor, m == 2 && k == 29999 ? White : colour) << j;
                ++j;
            }
        }
    }
    EXPECT_EQ(n, 150000);
    EXPECT_EQ(scene.Nodes.Count(), 100001);
    EXPECT_EQ(scene.Joints.Count(), 99990);
}

TEST(PlaceMarkers, FarAndMissingPositionsNeverRaise) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    Scene scene({{{0, 0}, {nan, 1}, {100, -100}}});
    scene.FillPools();
    scene.View.Scale = 1e6f;
    ASSERT_NO_THROW(scene.Redraw());
    EXPECT_TRUE(std::isnan(scene.Node(1).Left));
    EXPECT_TRUE(std::isnan(scene.Joint(0).X2));
    EXPECT_TRUE(std::isnan(scene.Joint(1).X1));
    EXPECT_EQ(scene.Node(2).Left, 100000280 - 1.5f);
    EXPECT_EQ(scene.Joint(1).Y2, -99999748.0f);
}

// Flags short of the points leave those points unmarked; coordinates short of the count are a
// subscript error, checked before any point is read.
TEST(PlaceMarkers, AModelWithoutFlagsOrCoordinatesForEveryPoint) {
    Scene scene({{{0, 0}, {5, 0}}});
    scene.FillPools();
    scene.Placement.Selections[0].PointFlags = {-1};
    scene.Placement.Selections[0].LineFlags.clear();
    ASSERT_NO_THROW(scene.Redraw());
    EXPECT_EQ(scene.Node(0).Width, 5.0f);
    EXPECT_EQ(scene.Node(1).Width, 3.0f);
    EXPECT_EQ(scene.Joint(0).BorderWidth, 1);
    scene.Object.Meshes[0].Y.pop_back();
    try {
        scene.Redraw();
        FAIL() << "no error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Number(), ErrNo::SubscriptOutOfRange);
    }
}

} // namespace quillax
