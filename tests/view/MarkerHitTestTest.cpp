#include "view/MarkerHitTest.h"
#include "support/ElementMarkers.h"
#include "support/SceneBuilder.h"
#include "view/WheelNotches.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quillax {

namespace {
constexpr double Radius = 5;

// Puts marker n's centre on (x, y), at the plain 3-pixel size.
void PlaceNode(ElementMarkers& markers, int32_t n, float x, float y) {
    NodeElement& node = markers.Nodes[static_cast<size_t>(n)];
    node.Width = 3;
    node.Height = 3;
    node.Left = x - 1.5f;
    node.Top = y - 1.5f;
}

void PlaceJoint(ElementMarkers& markers, int32_t j, float x1, float y1, float x2, float y2) {
    JointElement& joint = markers.Joints[static_cast<size_t>(j)];
    joint.X1 = x1;
    joint.Y1 = y1;
    joint.X2 = x2;
    joint.Y2 = y2;
}

// Two meshes: points 0-2 and lines 0-1 of mesh 0 along y = 100, points 3-4 and line 2 of mesh 1
// along y = 200.
class HitScene : public ::testing::Test {
protected:
    HitScene() : Object({{{0, 0}, {1, 0}, {2, 0}}, {{0, 1}, {1, 1}}}) {
        Object.FillPools();
        Markers.Nodes.resize(5, NodeElement{.Visible = true});
        Markers.Joints.resize(3, JointElement{.Visible = true});
        for (int32_t n = 0; n < 5; ++n) {
            PlaceNode(Markers, n, static_cast<float>(100 + 40 * (n % 3)), n < 3 ? 100.0f : 200.0f);
        }
        PlaceJoint(Markers, 0, 100, 100, 140, 100);
        PlaceJoint(Markers, 1, 140, 100, 180, 100);
        PlaceJoint(Markers, 2, 100, 200, 140, 200);
    }
    std::optional<MarkerHit> Hit(int32_t mesh, double x, double y) const {
        return HitMarker(Markers, MarkersOfMesh(Object.Object, mesh, Object.Nodes, Object.Joints), x, y,
                         Radius);
    }

    Scene Object;
    ElementMarkers Markers;
};

const MarkerHit Point0{MarkerKind::Point, 0};
} // namespace

TEST(MarkersOfMesh, CountsEveryEarlierMeshsPointsAndLines) {
    Scene scene({{{0, 0}, {1, 0}, {2, 0}}, {}, {{5, 5}}, {{0, 1}, {1, 1}, {2, 1}, {3, 1}}});
    scene.FillPools();
    const MarkerRange last = MarkersOfMesh(scene.Object, 3, scene.Nodes, scene.Joints);
    EXPECT_EQ(last.FirstNode, 4);
    EXPECT_EQ(last.NodeCount, 4);
    EXPECT_EQ(last.FirstJoint, 2);
    EXPECT_EQ(last.JointCount, 3);
    const MarkerRange single = MarkersOfMesh(scene.Object, 2, scene.Nodes, scene.Joints);
    EXPECT_EQ(single.FirstNode, 3);
    EXPECT_EQ(single.NodeCount, 1);
    EXPECT_EQ(single.JointCount, 0);
    EXPECT_EQ(MarkersOfMesh(scene.Object, 1, scene.Nodes, scene.Joints).NodeCount, 0);
    for (const int32_t outside : {-1, 4, 32767}) {
        const MarkerRange none = MarkersOfMesh(scene.Object, outside, scene.Nodes, scene.Joints);
        EXPECT_EQ(none.NodeCount + none.JointCount, 0) << outside;
    }
}

TEST(MarkersOfMesh, KeepsToTheMarkersThePoolsHold) {
    Scene scene({{{0, 0}, {1, 0}}, {{0, 1}, {1, 1}, {2, 1}}});
    // A load that has placed only the first three points and their two lines so far.
    for (int i = 0; i < 3; ++i) {
        scene.Nodes.Add({});
    }
    scene.Joints.Add();
    const MarkerRange partial = MarkersOfMesh(scene.Object, 1, scene.Nodes, scene.Joints);
    EXPECT_EQ(partial.FirstNode, 2);
    EXPECT_EQ(partial.NodeCount, 1);
    EXPECT_EQ(partial.FirstJoint, 1);
    EXPECT_EQ(partial.JointCount, 0);
    const MarkerRange all = AllMarkers(scene.Nodes, scene.Joints);
    EXPECT_EQ(all.NodeCount, 3);
    EXPECT_EQ(all.JointCount, 1);
}

TEST_F(HitScene, FindsAPointOnItsCentreAndUpToTheRadiusAwayAtAnyAngle) {
    EXPECT_EQ(Hit(0, 100, 100), Point0);
    EXPECT_EQ(Hit(0, 104, 100), Point0);
    EXPECT_EQ(Hit(0, 100, 95), Point0);
    EXPECT_EQ(Hit(0, 97, 96), Point0);
    EXPECT_EQ(Hit(0, 96, 96), std::nullopt);
    EXPECT_EQ(Hit(0, 140, 103), (MarkerHit{MarkerKind::Point, 1}));
    EXPECT_EQ(Hit(0, 60, 60), std::nullopt);
}

TEST_F(HitScene, ThePointBeatsItsSegmentsAndAwayFromPointsTheSegmentIsFound) {
    EXPECT_EQ(Hit(0, 142, 102), (MarkerHit{MarkerKind::Point, 1}));
    EXPECT_EQ(Hit(0, 120, 100), (MarkerHit{MarkerKind::Line, 0}));
    EXPECT_EQ(Hit(0, 160, 105), (MarkerHit{MarkerKind::Line, 1}));
    EXPECT_EQ(Hit(0, 160, 106), std::nullopt);
    // Past its ends a segment is as far as its end point.
    EXPECT_EQ(Hit(1, 144, 203), (MarkerHit{MarkerKind::Point, 4}));
    PlaceNode(Markers, 4, 300, 300);
    EXPECT_EQ(Hit(1, 144, 203), (MarkerHit{MarkerKind::Line, 2}));
    EXPECT_EQ(Hit(1, 144, 204), std::nullopt);
}

TEST_F(HitScene, TheNearerOfTwoNearPointsWinsAndATieGoesToTheLowerIndex) {
    PlaceNode(Markers, 1, 106, 100);
    EXPECT_EQ(Hit(0, 102, 100), Point0);
    EXPECT_EQ(Hit(0, 104, 101), (MarkerHit{MarkerKind::Point, 1}));
    EXPECT_EQ(Hit(0, 103, 100), Point0);
    EXPECT_EQ(Hit(0, 103, 97), Point0);
}

TEST_F(HitScene, MarkersOfOtherMeshesAreNeverFound) {
    EXPECT_EQ(Hit(0, 100, 200), std::nullopt);
    EXPECT_EQ(Hit(0, 120, 200), std::nullopt);
    EXPECT_EQ(Hit(1, 100, 100), std::nullopt);
    EXPECT_EQ(Hit(-1, 100, 100), std::nullopt);
    EXPECT_EQ(Hit(1, 100, 200), (MarkerHit{MarkerKind::Point, 3}));
    const MarkerRange all = AllMarkers(Object.Nodes, Object.Joints);
    EXPECT_EQ(HitMarker(Markers, all, 120, 201, Radius), (MarkerHit{MarkerKind::Line, 2}));
}

TEST_F(HitScene, HiddenMarkersAndMarkersWithoutAPositionAreNeverFound) {
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    constexpr float infinity = std::numeric_limits<float>::infinity();
    Markers.Nodes[0].Visible = false;
    EXPECT_EQ(Hit(0, 100, 100), (MarkerHit{MarkerKind::Line, 0}));
    Markers.Joints[0].Visible = false;
    EXPECT_EQ(Hit(0, 100, 100), std::nullopt);
    PlaceNode(Markers, 1, nan, 100);
    PlaceJoint(Markers, 1, 140, nan, 180, 100);
    EXPECT_EQ(Hit(0, 140, 100), std::nullopt);
    EXPECT_EQ(Hit(0, 160, 100), std::nullopt);
    PlaceNode(Markers, 2, infinity, 100);
    PlaceJoint(Markers, 1, -infinity, 100, infinity, 100);
    EXPECT_EQ(Hit(0, 180, 100), std::nullopt);
    // Far away but finite: held at the largest float, still a proper segment.
    const float far = std::numeric_limits<float>::max();
    PlaceJoint(Markers, 1, -far, 100, far, 100);
    EXPECT_EQ(Hit(0, 180, 102), (MarkerHit{MarkerKind::Line, 1}));
    EXPECT_EQ(Hit(0, 180, 200), std::nullopt);
}

TEST_F(HitScene, TheMarkersOfMeshesPassedOverAreNeverFoundAndTheNearestOfTheRestIs) {
    PlaceNode(Markers, 3, 102, 100);
    const MarkerRange all = AllMarkers(Object.Nodes, Object.Joints);
    EXPECT_EQ(HitMarker(Markers, all, 103, 100, Radius), (MarkerHit{MarkerKind::Point, 3}));
    const std::vector<MarkerRange> mesh1 =
        MarkersOfMeshes(Object.Object, Object.Nodes, Object.Joints, [](int32_t mesh) { return mesh == 1; });
    ASSERT_EQ(mesh1.size(), 1u);
    EXPECT_EQ(mesh1[0].FirstNode, 3);
    EXPECT_EQ(mesh1[0].FirstJoint, 2);
    EXPECT_EQ(HitMarker(Markers, all, 103, 100, Radius, mesh1), Point0);
    EXPECT_EQ(HitMarker(Markers, all, 120, 201, Radius, mesh1), std::nullopt);
    EXPECT_EQ(SpansOutside({0, 10}, {{2, 4}, {4, 6}, {9, 12}}), (std::vector<ElementSpan>{{0, 2}, {6, 9}}));
    EXPECT_EQ(SpansOutside({3, 5}, {{0, 8}}), (std::vector<ElementSpan>{}));
}

TEST_F(HitScene, ASegmentWithoutLengthIsFoundAroundItsPoint) {
    PlaceJoint(Markers, 0, 300, 300, 300, 300);
    EXPECT_EQ(Hit(0, 303, 304), (MarkerHit{MarkerKind::Line, 0}));
    EXPECT_EQ(Hit(0, 304, 304), std::nullopt);
}

TEST(MeshItemOf, NamesTheMeshAndTheIndexWithinIt) {
    Scene scene({{{0, 0}, {1, 0}, {2, 0}}, {}, {{5, 5}}, {{0, 1}, {1, 1}}});
    EXPECT_EQ(MeshItemOf(scene.Object, {MarkerKind::Point, 2}), (MeshItem{0, 2}));
    EXPECT_EQ(MeshItemOf(scene.Object, {MarkerKind::Point, 3}), (MeshItem{2, 0}));
    EXPECT_EQ(MeshItemOf(scene.Object, {MarkerKind::Point, 5}), (MeshItem{3, 1}));
    EXPECT_EQ(MeshItemOf(scene.Object, {MarkerKind::Line, 1}), (MeshItem{0, 1}));
    EXPECT_EQ(MeshItemOf(scene.Object, {MarkerKind::Line, 2}), (MeshItem{3, 0}));
    EXPECT_EQ(MeshItemOf(scene.Object, {MarkerKind::Point, 6}), std::nullopt);
    EXPECT_EQ(MeshItemOf(scene.Object, {MarkerKind::Line, 3}), std::nullopt);
    EXPECT_EQ(MeshItemOf(scene.Object, {MarkerKind::Point, -1}), std::nullopt);
}

TEST(WheelNotches, CountsWholeNotchesAndKeepsTheRestForTheNextTurn) {
    WheelNotches wheel;
    EXPECT_EQ(wheel.Add(120), 1);
    EXPECT_EQ(wheel.Add(360), 3);
    EXPECT_EQ(wheel.Add(-240), -2);
    EXPECT_EQ(wheel.Add(40), 0);
    EXPECT_EQ(wheel.Add(40), 0);
    EXPECT_EQ(wheel.Add(40), 1);
    // A fine-stepping wheel turned back first uses up what it had left.
    EXPECT_EQ(wheel.Add(100), 0);
    EXPECT_EQ(wheel.Add(-130), 0);
    EXPECT_EQ(wheel.Add(-100), -1);
    EXPECT_EQ(wheel.Add(0), 0);
    EXPECT_EQ(wheel.Add(std::numeric_limits<int32_t>::min()), std::numeric_limits<int32_t>::min() / 120);
}

} // namespace quillax
