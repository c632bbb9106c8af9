#include "document/StructureEdits.h"
#include "document/ClosedOutline.h"
#include "document/DocumentEdits.h"
#include "document/ObjectDocument.h"
#include "objects/ObjectFileBytes.h"
#include "support/DocumentBuilder.h"
#include "support/RecordingMessageBox.h"
#include "support/SameObject.h"

#include <QUndoStack>
#include <gtest/gtest.h>

#include <bit>

namespace quillax {

namespace {
// Mesh 0 is a closed outline (its last point is its first again); mesh 1 an open polyline with odd
// bits riding along; mesh 2 a short line.
class StructureEditsTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto [object, placement] =
            ObjectOf({{{0, 0}, {10, 0}, {10, 10}, {0, 0}}, {{0, 20}, {5, 20}, {9, 20}}, {{0, 30}, {4, 30}}});
        object.Meshes[1].Y[2] = std::bit_cast<float>(0x7FC01234u);
        object.Meshes[1].ExtraValue = 0xDEADBEEF;
        object.Meshes[1].ExtraWord = 0xBEEF;
        Document.Replace(object, placement);
        Document.ChooseMesh(0);
        Loaded = ObjectFileBytes(Document.Object());
    }
    const Mesh& MeshAt(size_t mesh) const { return Document.Object().Meshes[mesh]; }
    std::vector<int16_t> PointFlags(int32_t mesh) const { return Document.MarksOf(mesh)->PointFlags; }
    std::vector<int16_t> LineFlags(int32_t mesh) const { return Document.MarksOf(mesh)->LineFlags; }
    void Mark(int32_t mesh, std::vector<int16_t> points) {
        MeshSelection marks = *Document.MarksOf(mesh);
        marks.PointFlags = std::move(points);
        Document.SetMarks(mesh, marks);
    }
    void UndoAll() {
        while (Document.History().canUndo()) {
            Document.History().undo();
        }
    }

    RecordingMessageBox Boxes;
    ObjectDocument Document;
    std::vector<uint8_t> Loaded;
};
} // namespace

TEST_F(StructureEditsTest, EitherEndOfAClosedOutlineTakesTheOtherWithItHoweverItMoves) {
    EXPECT_TRUE(IsClosedOutline(MeshAt(0)));
    EXPECT_FALSE(IsClosedOutline(MeshAt(1)));
    EXPECT_EQ(TwinOf(MeshAt(0), 0), 3);
    EXPECT_EQ(TwinOf(MeshAt(0), 3), 0);
    EXPECT_EQ(TwinOf(MeshAt(0), 1), std::nullopt);

    // A drag's steps, from where the drag began, merge into one step that keeps both ends together.
    Document.MovePoints(0, {{3, 0, 0, 2, 1}}, 7);
    Document.MovePoints(0, {{3, 0, 0, 4, 3}}, 7);
    EXPECT_EQ(Document.History().count(), 1);
    EXPECT_EQ(MeshAt(0).X.front(), 4.0f);
    EXPECT_EQ(MeshAt(0).Y.front(), 3.0f);
    EXPECT_EQ(MeshAt(0).X.back(), 4.0f);
    EXPECT_TRUE(IsClosedOutline(MeshAt(0)));

    Mark(0, {-1, 0, 0, -1});
    NudgeMarkedPoints(Document, 1, 0);
    EXPECT_EQ(MeshAt(0).X.front(), 5.0f) << "both marked: each moves once";
    EXPECT_EQ(MeshAt(0).X.back(), 5.0f);
    EXPECT_EQ(WithTwinMoves(MeshAt(1), {{0, 0, 20, 1, 1}}).size(), 1u) << "an open mesh has no twins";

    UndoAll();
    EXPECT_EQ(ObjectFileBytes(Document.Object()), Loaded);
}

TEST_F(StructureEditsTest, ReverseExtendCloseAndOpenAreOneStepEachAndKeepTheMarksOnTheirPoints) {
    Document.ChooseMesh(1);
    Mark(1, {-1, 0, 0});
    Document.ToggleLineMark(1, 1);
    ReverseChosenMesh(Document);
    EXPECT_EQ(MeshAt(1).X, (std::vector<float>{9, 5, 0}));
    EXPECT_EQ(std::bit_cast<uint32_t>(MeshAt(1).Y[0]), 0x7FC01234u) << "bits travel with their point";
    EXPECT_EQ(PointFlags(1), (std::vector<int16_t>{0, 0, -1}));
    EXPECT_EQ(LineFlags(1), (std::vector<int16_t>{-1, 0}));
    EXPECT_EQ(Document.History().undoText(), "Reverse Mesh");

    // The marked end is now the last: each new point goes after it and becomes the one marked.
    EXPECT_TRUE(ExtendChosenMesh(Document, 1, 25));
    EXPECT_TRUE(ExtendChosenMesh(Document, 2, 26));
    EXPECT_EQ(MeshAt(1).X, (std::vector<float>{9, 5, 0, 1, 2}));
    EXPECT_EQ(PointFlags(1), (std::vector<int16_t>{0, 0, 0, 0, -1}));
    EXPECT_EQ(LineFlags(1), (std::vector<int16_t>{-1, 0, 0, 0}));
    Mark(1, {-1, 0, 0, 0, 0});
    EXPECT_TRUE(ExtendChosenMesh(Document, -3, 20));
    EXPECT_EQ(MeshAt(1).X.front(), -3.0f) << "from the first point, before it";
    EXPECT_EQ(PointFlags(1), (std::vector<int16_t>{-1, 0, 0, 0, 0, 0}));
    Mark(1, {-1, 0, 0, 0, 0, -1});
    EXPECT_FALSE(ExtendChosenMesh(Document, 0, 0)) << "two points marked: nothing to draw on from";
    EXPECT_EQ(MeshAt(1).ExtraValue, 0xDEADBEEFu);

    CloseChosenOutline(Document);
    EXPECT_TRUE(IsClosedOutline(MeshAt(1)));
    EXPECT_EQ(PointFlags(1).back(), 0) << "the copy of the first point is unmarked";
    const size_t steps = static_cast<size_t>(Document.History().count());
    CloseChosenOutline(Document);
    EXPECT_EQ(static_cast<size_t>(Document.History().count()), steps) << "closed already";
    OpenChosenOutline(Document);
    EXPECT_FALSE(IsClosedOutline(MeshAt(1)));
    EXPECT_EQ(MeshAt(1).PointCount, 6);

    UndoAll();
    EXPECT_EQ(ObjectFileBytes(Document.Object()), Loaded) << "every step undone, every bit back";
}

TEST_F(StructureEditsTest, ALockedMeshIsRefusedEveryEditButMovesInTheOrder) {
    Document.SetViewState(0, {false, true});
    Mark(0, {0, -1, 0, 0});
    NudgeMarkedPoints(Document, 1, 1);
    ReverseChosenMesh(Document);
    DeleteMarkedPoints(Document);
    DeleteChosenMesh(Document);
    OpenChosenOutline(Document);
    ASSERT_EQ(Boxes.Records.size(), 5u);
    EXPECT_EQ(Boxes.Records[0].Prompt, "Mesh 0 is locked: unlock it to edit it.");
    EXPECT_EQ(Document.History().count(), 0);

    MoveChosenMesh(Document, 2);
    EXPECT_EQ(Document.ChosenMesh(), 2) << "the chosen mesh stays chosen";
    EXPECT_TRUE(Document.ViewStateOf(2).Locked) << "its state moves with it";
    EXPECT_EQ(PointFlags(2), (std::vector<int16_t>{0, -1, 0, 0})) << "and its marks";
    EXPECT_EQ(MeshAt(0).ExtraValue, 0xDEADBEEFu) << "the others close up";
    EXPECT_EQ(Document.History().undoText(), "Move Mesh");
    Document.History().undo();
    EXPECT_EQ(Document.ChosenMesh(), 0);
    EXPECT_TRUE(Document.ViewStateOf(0).Locked);
    EXPECT_EQ(ObjectFileBytes(Document.Object()), Loaded);
}

TEST_F(StructureEditsTest, ViewStateStaysWithItsMeshAndNewMeshesAreShownAndUnlocked) {
    Document.SetViewState(1, {true, false});
    Document.ChooseMesh(2);
    MoveChosenMesh(Document, 1);
    EXPECT_EQ(Document.History().undoText(), "Move Mesh Up");
    EXPECT_TRUE(Document.ViewStateOf(2).Hidden) << "the mesh it passed keeps its state";
    ReverseChosenMesh(Document);
    EXPECT_TRUE(Document.ViewStateOf(2).Hidden) << "a mesh replaced in place keeps it";

    PasteMeshes(Document, {MeshAt(2), MeshAt(0)}, "Paste");
    ASSERT_EQ(MeshCountOf(Document.Object()), 5);
    EXPECT_EQ(Document.ChosenMesh(), 3) << "the first pasted is chosen";
    EXPECT_EQ(PointFlags(3), (std::vector<int16_t>(3, -1))) << "its points marked";
    EXPECT_EQ(PointFlags(4), (std::vector<int16_t>(4, 0)));
    EXPECT_TRUE(SameMesh(MeshAt(3), MeshAt(2)));
    EXPECT_EQ(Document.ViewStateOf(3), MeshViewState{});
    EXPECT_EQ(Document.History().count(), 3) << "hiding is no step";

    Document.Replace(Document.Object(), Document.Placement());
    EXPECT_EQ(Document.ViewStateOf(2), MeshViewState{}) << "a new object starts all shown";
}

TEST_F(StructureEditsTest, CopyTakesTheMarkedPointsInOrderOrTheWholeMeshAndCutDeletesThem) {
    Document.ChooseMesh(1);
    std::optional<std::vector<Mesh>> copied = CopiedMeshes(Document);
    ASSERT_TRUE(copied);
    ASSERT_EQ(copied->size(), 1u);
    EXPECT_TRUE(SameMesh(copied->front(), MeshAt(1)));

    Mark(1, {-1, 0, -1});
    copied = CopiedMeshes(Document);
    ASSERT_TRUE(copied);
    EXPECT_EQ(copied->front().X, (std::vector<float>{0, 9}));
    EXPECT_EQ(std::bit_cast<uint32_t>(copied->front().Y[1]), 0x7FC01234u);
    EXPECT_EQ(copied->front().ExtraWord, 0xBEEF) << "the fields of the mesh it came from";
    EXPECT_EQ(copied->front().PointCount, 2);
    EXPECT_NE(CannotCut(Document), std::nullopt) << "the delete's refusal stands: one point would be left";

    Mark(1, {0, -1, 0});
    EXPECT_FALSE(CopiedMeshes(Document)) << "one point is no polyline";
    EXPECT_EQ(Boxes.Records.size(), 1u);

    Document.ChooseMesh(0);
    Mark(0, {0, -1, -1, 0});
    EXPECT_EQ(CannotCut(Document), std::nullopt);
    DeleteCut(Document);
    EXPECT_EQ(MeshAt(0).X, (std::vector<float>{0, 0}));
    Document.ChooseMesh(2);
    DeleteCut(Document);
    EXPECT_EQ(MeshCountOf(Document.Object()), 2) << "nothing marked: the mesh goes";
    UndoAll();
    EXPECT_EQ(ObjectFileBytes(Document.Object()), Loaded);

    ObjectFile full = Document.Object();
    ObjectPlacement marks = Document.Placement();
    full.Meshes.resize(MostMeshes - 1, full.Meshes[2]);
    marks.Selections.resize(MostMeshes - 1, marks.Selections[2]);
    full.MeshCount = MostMeshes - 1;
    Document.Replace(full, marks);
    PasteMeshes(Document, {MeshAt(0), MeshAt(1)}, "Paste");
    EXPECT_EQ(MeshCountOf(Document.Object()), MostMeshes - 1)
        << "two more would pass the most an object holds";
    EXPECT_EQ(Boxes.Records.back().Prompt,
              "The object has 32766 meshes: 2 more would pass 32767, the most an object can hold.");
}

} // namespace quillax
