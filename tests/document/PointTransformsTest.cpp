#include "document/PointTransforms.h"
#include "document/TransformEdits.h"
#include "platform/TypedNumber.h"
#include "sampleobjects/SampleObject.h"
#include "support/DocumentBuilder.h"
#include "support/RecordingMessageBox.h"
#include "support/SameObject.h"

#include <QUndoStack>
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>

namespace quillax {

namespace {
// Every point of the mesh through the map, as the moves leave it.
Mesh Mapped(const Mesh& mesh, const PointMap& map) {
    const MappedPoints mapped = MapPoints(mesh, TargetPoints(mesh, {}), map);
    EXPECT_FALSE(mapped.Unfit);
    Mesh moved = mesh;
    for (const PointMove& move : mapped.Moves) {
        moved.X[static_cast<size_t>(move.Index)] = move.ToX;
        moved.Y[static_cast<size_t>(move.Index)] = move.ToY;
    }
    return moved;
}

bool SamePoints(const Mesh& a, const Mesh& b) {
    return SameBits(a.X, b.X) && SameBits(a.Y, b.Y);
}

PlanePoint CentreOf(const Mesh& mesh) {
    return BoundsOf(mesh, TargetPoints(mesh, {}))->Centre();
}

// Points as editors leave them: whole units, halves and finer binary fractions, up to a few thousand.
Mesh DrawnPoints(uint32_t seed, int32_t count, double step) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int32_t> units(-40000, 40000);
    Mesh mesh;
    for (int32_t k = 0; k < count; ++k) {
        mesh.X.push_back(static_cast<float>(units(random) * step));
        mesh.Y.push_back(static_cast<float>(units(random) * step));
    }
    mesh.PointCount = static_cast<int16_t>(count);
    return mesh;
}
} // namespace

TEST(PointTransformsTest, AFlipTwiceIsTheIdentityBitForBit) {
    std::vector<Mesh> meshes = SampleShip().Meshes;
    meshes.push_back(DrawnPoints(1, 5000, 1));
    meshes.push_back(DrawnPoints(2, 5000, 0.125));
    meshes.push_back(DrawnPoints(3, 5000, 1.0 / 1024));
    for (const Mesh& mesh : meshes) {
        for (const bool horizontally : {true, false}) {
            const Mesh once = Mapped(mesh, Mirror(horizontally, CentreOf(mesh)));
            EXPECT_TRUE(SamePoints(Mapped(once, Mirror(horizontally, CentreOf(once))), mesh))
                << "about the marked points' centre, which the flip keeps";
            const PlanePoint object{2.5, -3};
            EXPECT_TRUE(SamePoints(
                Mapped(Mapped(mesh, Mirror(horizontally, object)), Mirror(horizontally, object)), mesh))
                << "about the object's centre";
        }
    }
}

TEST(PointTransformsTest, ACoordinateAFlipLeavesKeepsItsBitsMinusZeroIncluded) {
    Mesh mesh;
    mesh.X = {-0.0f, 3};
    mesh.Y = {-0.0f, -0.0f};
    const Mesh flipped = Mapped(mesh, Mirror(true, {0, 0}));
    EXPECT_EQ(std::bit_cast<uint32_t>(flipped.Y[1]), std::bit_cast<uint32_t>(-0.0f));
    EXPECT_EQ(flipped.X[1], -3.0f);
    EXPECT_TRUE(SamePoints(Mapped(flipped, Mirror(true, {0, 0})), mesh));
}

TEST(PointTransformsTest, QuarterTurnsOfWholeUnitPointsGiveWholeUnitPointsExactly) {
    const Mesh mesh = DrawnPoints(4, 5000, 1);
    const auto whole = [](const Mesh& points) {
        for (size_t k = 0; k < points.X.size(); ++k) {
            if (points.X[k] != std::floor(points.X[k]) || points.Y[k] != std::floor(points.Y[k])) {
                return false;
            }
        }
        return true;
    };
    for (const double degrees : {90.0, -90.0, 180.0, 270.0, 450.0, -630.0}) {
        EXPECT_TRUE(whole(Mapped(mesh, Rotation(degrees, {7, -2})))) << degrees;
        EXPECT_TRUE(whole(Mapped(mesh, Rotation(degrees, {0.5, -3.5})))) << degrees;
    }
    EXPECT_FALSE(whole(Mapped(mesh, Rotation(90, {0.5, 3})))) << "a pivot of a half and a whole";

    // About the marked points' centre, which a quarter turn keeps: every turn is undone by the
    // opposite one, and four give the points back.
    Mesh turned = mesh;
    for (const double degrees : {90.0, -90.0, -90.0, 90.0, 90.0, 90.0, 90.0, 90.0}) {
        turned = Mapped(turned, Rotation(degrees, CentreOf(turned)));
    }
    EXPECT_TRUE(SamePoints(turned, mesh));

    Mesh one;
    one.X = {10};
    one.Y = {0};
    const Mesh left = Mapped(one, Rotation(90, {0, 0}));
    EXPECT_EQ(left.X[0], 0.0f);
    EXPECT_EQ(left.Y[0], -10.0f) << "counter-clockwise on a screen whose Y grows downwards";
    const Mesh turnedBy30 = Mapped(one, Rotation(30, {0, 0}));
    EXPECT_FLOAT_EQ(turnedBy30.X[0], static_cast<float>(10 * std::sqrt(3.0) / 2));
    EXPECT_FLOAT_EQ(turnedBy30.Y[0], -5.0f);
}

TEST(PointTransformsTest, AResultNoFloatHoldsIsUnfitAndNamesThePoint) {
    Mesh mesh;
    mesh.X = {1, 3e38f, 2};
    mesh.Y = {0, 0, std::numeric_limits<float>::quiet_NaN()};
    const std::vector<int32_t> firstTwo{0, 1};
    EXPECT_EQ(MapPoints(mesh, firstTwo, Scaling(2, 1, {0, 0})).Unfit, std::optional<int32_t>(1));
    EXPECT_TRUE(MapPoints(mesh, firstTwo, Scaling(2, 1, {0, 0})).Moves.empty()) << "nothing may move";
    EXPECT_EQ(MapPoints(mesh, {2}, Translation(1, 0)).Unfit, std::optional<int32_t>(2)) << "no number";
    EXPECT_EQ(MapPoints(mesh, {0}, Scaling(std::numeric_limits<double>::infinity(), 1, {0, 0})).Unfit, 0);

    Mesh largest;
    largest.X = {std::numeric_limits<float>::max()};
    largest.Y = {0};
    const MappedPoints held = MapPoints(largest, {0}, Translation(1e30, 0));
    ASSERT_FALSE(held.Unfit) << "a double that rounds to the largest float is that float";
    EXPECT_EQ(held.Moves[0].ToX, std::numeric_limits<float>::max());
}

TEST(PointTransformsTest, TypedNumbersAreDecimalsAndNothingElse) {
    EXPECT_EQ(TypedNumber("12.5"), 12.5);
    EXPECT_EQ(TypedNumber("  -4 "), -4.0);
    EXPECT_EQ(TypedNumber("+3e2"), 300.0);
    EXPECT_EQ(TypedNumber(".5"), 0.5);
    for (const char* text :
         {"", " ", "abc", "1,5", "12.5x", "nan", "inf", "-infinity", "0x10", "1e", "--1", "1e400"}) {
        EXPECT_FALSE(TypedNumber(text)) << text;
    }
    EXPECT_EQ(TypedFloat("0.1"), 0.1f);
    EXPECT_EQ(TypedFloat("16777217"), 16777216.0f);
    EXPECT_FALSE(TypedFloat("1e39")) << "beyond the float range";
    EXPECT_EQ(DistanceBetween({1, 2}, {4, 6}), 5.0);
    EXPECT_EQ(AngleOf({0, 0}, {1, -1}), 45.0) << "up and to the right on screen";
}

// Through the document: one step, undone bit for bit; a refusal is a message and no change.
TEST(PointTransformsTest, EditsAreOneStepUndoneBitForBitAndRefusalsChangeNothing) {
    RecordingMessageBox boxes;
    ObjectDocument document;
    auto [object, placement] = ObjectOf({{{0.1f, 0.2f}, {10, 0}, {20, 5}}, {{0, 10}, {5, 10}}});
    object.CentreX = 1;
    document.Replace(object, placement);
    document.ChooseMesh(0);
    const ObjectFile before = document.Object();

    RotatePoints(document, 33, TransformAbout::MarkedPoints);
    ScalePoints(document, 2, 0.5, TransformAbout::ObjectCentre);
    FlipPoints(document, true, TransformAbout::MarkedPoints);
    ASSERT_EQ(document.History().count(), 3);
    EXPECT_EQ(document.History().text(0), "Rotate 3 Points") << "the whole mesh with no point marked";
    document.TogglePointMark(0, 1);
    document.TogglePointMark(0, 2);
    MovePointsTo(document, 100, std::nullopt);
    EXPECT_EQ(document.History().text(3), "Move 2 Points");
    document.MoveCentre(4.5f, -1);
    while (document.History().canUndo()) {
        document.History().undo();
    }
    EXPECT_TRUE(SameObject(document.Object(), before));

    ScalePoints(document, 1e38, 1, TransformAbout::ObjectCentre);
    ASSERT_EQ(boxes.Records.size(), 1u);
    EXPECT_EQ(boxes.Records[0].Prompt,
              "Cannot scale: point 1 of mesh 0 would be beyond the range of a float, "
              "or no number at all. Nothing was changed.");
    EXPECT_TRUE(SameObject(document.Object(), before));
    EXPECT_EQ(document.History().index(), 0);

    document.TogglePointMark(0, 2);
    MovePointsTo(document, 1e30f, std::nullopt);
    MovePointsTo(document, std::nullopt, 0.3f);
    EXPECT_EQ(document.Object().Meshes[0].X[1], 1e30f);
    EXPECT_EQ(document.Object().Meshes[0].Y[1], 0.3f) << "one point takes the typed float itself";
}

} // namespace quillax
