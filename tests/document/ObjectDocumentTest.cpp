#include "document/ObjectDocument.h"
#include "document/DocumentEdits.h"
#include "objects/ObjectFileBytes.h"
#include "support/DocumentBuilder.h"
#include "support/ErrorOf.h"
#include "support/LinBuilder.h"
#include "support/RecordingMessageBox.h"
#include "support/SameObject.h"
#include "support/TempFolder.h"

#include <QSignalSpy>
#include <QUndoStack>
#include <gtest/gtest.h>

#include <bit>

namespace quillax {

namespace {
class ObjectDocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto [object, placement] =
            ObjectOf({{{0, 0}, {10, 0}, {20, 0}, {30, 0}}, {{0, 10}, {5, 10}, {9, 10}}});
        object.Meshes[1].Y[2] = std::bit_cast<float>(0x7FC01234u);
        object.Meshes[0].ExtraValue = 0xDEADBEEF;
        Document.Replace(object, placement);
        Document.ChooseMesh(0);
    }
    const Mesh& MeshAt(size_t mesh) const { return Document.Object().Meshes[mesh]; }
    std::vector<int16_t> PointFlags(int32_t mesh) const { return Document.MarksOf(mesh)->PointFlags; }

    RecordingMessageBox Boxes;
    ObjectDocument Document;
};
} // namespace

TEST_F(ObjectDocumentTest, TheMarksAreTheFlagsAndChoosingAMeshClearsEveryOne) {
    QSignalSpy marks(&Document, &ObjectDocument::MarksChanged);
    QSignalSpy chosen(&Document, &ObjectDocument::ChosenMeshChanged);
    Document.TogglePointMark(0, 2);
    Document.ToggleLineMark(1, 0);
    EXPECT_EQ(PointFlags(0), (std::vector<int16_t>{0, 0, -1, 0}));
    ASSERT_EQ(marks.count(), 2);
    EXPECT_EQ(marks[0][0].toInt(), 0);
    EXPECT_EQ(marks[0][1].value<MarkRange>().First, 2) << "which mark changed";

    MeshSelection odd = *Document.MarksOf(0);
    odd.PointFlags = {5, -32768, 1, 0};
    Document.SetMarks(0, odd);
    for (const int32_t point : {0, 1, 2}) {
        Document.TogglePointMark(0, point);
    }
    Document.TogglePointMark(0, 3);
    EXPECT_EQ(PointFlags(0), (std::vector<int16_t>{0, 0, 0, -1})) << "any non-zero flag counts as set";

    EXPECT_EQ(ErrorOf([&] { Document.TogglePointMark(0, 4); }), ErrNo::SubscriptOutOfRange);
    EXPECT_EQ(ErrorOf([&] { Document.ToggleLineMark(2, 0); }), ErrNo::SubscriptOutOfRange);
    EXPECT_EQ(ErrorOf([&] { Document.SetMarks(0, MeshSelection{}); }), ErrNo::SubscriptOutOfRange);
    EXPECT_EQ(PointFlags(0), (std::vector<int16_t>{0, 0, 0, -1})) << "refused: nothing changed";

    Document.ChooseMesh(1);
    EXPECT_EQ(Document.ChosenMesh(), 1);
    EXPECT_EQ(chosen.count(), 1);
    EXPECT_EQ(PointFlags(0), (std::vector<int16_t>{0, 0, 0, 0}));
    EXPECT_EQ(Document.MarksOf(1)->LineFlags, (std::vector<int16_t>{0, 0}));
    Document.ChooseMesh(-1);
    EXPECT_FALSE(Document.HasChosenMesh());
    EXPECT_EQ(Document.MarksOf(2), nullptr);
}

TEST_F(ObjectDocumentTest, EveryEditIsOneStepAndUndoGivesEveryBitBack) {
    const ObjectFile before = Document.Object();
    QSignalSpy meshes(&Document, &ObjectDocument::MeshesChanged);
    QSignalSpy modified(&Document, &ObjectDocument::ModifiedChanged);
    Document.TogglePointMark(0, 1);
    InsertPoint(Document, 2, 25, 1);
    NudgeMarkedPoints(Document, 0.5, -2);
    DeleteMarkedPoints(Document);
    RecolourMesh(Document, 0, 0, 1);
    AddMesh(Document, TwoPointMesh(1, 2, 3, 4, Document.Object()));
    EXPECT_EQ(Document.ChosenMesh(), 2) << "a new mesh is chosen";
    DeleteChosenMesh(Document);
    EXPECT_EQ(Document.ChosenMesh(), 1);
    EXPECT_EQ(Document.History().count(), 6);
    EXPECT_TRUE(Document.IsModified());
    EXPECT_EQ(modified.count(), 1);
    EXPECT_EQ(meshes.count(), 5) << "the move tells of points, not meshes";

    while (Document.History().canUndo()) {
        Document.History().undo();
    }
    EXPECT_TRUE(SameObject(Document.Object(), before));
    EXPECT_EQ(PointFlags(0), (std::vector<int16_t>{0, -1, 0, 0})) << "the marks come back too";
    EXPECT_EQ(Document.ChosenMesh(), 0);
    EXPECT_FALSE(Document.IsModified());
}

// Only the chosen mesh has marks: a step that chooses another mesh clears them as the list does.
TEST_F(ObjectDocumentTest, AStepThatChoosesAnotherMeshTakesTheMarksAndItsUndoGivesThemBack) {
    Document.TogglePointMark(0, 1);
    Document.ToggleLineMark(0, 2);
    AddMesh(Document, TwoPointMesh(1, 2, 3, 4, Document.Object()));
    EXPECT_EQ(PointFlags(0), (std::vector<int16_t>{0, 0, 0, 0}));
    EXPECT_EQ(Document.MarksOf(0)->LineFlags, (std::vector<int16_t>{0, 0, 0}));
    Document.History().undo();
    EXPECT_EQ(PointFlags(0), (std::vector<int16_t>{0, -1, 0, 0}));
    EXPECT_EQ(Document.MarksOf(0)->LineFlags, (std::vector<int16_t>{0, 0, -1}));
    Document.History().redo();
    EXPECT_EQ(PointFlags(0), (std::vector<int16_t>{0, 0, 0, 0}));
    DeleteChosenMesh(Document);
    Document.History().undo();
    EXPECT_EQ(Document.ChosenMesh(), 2) << "a step that keeps its mesh chosen takes no marks";
    Document.TogglePointMark(2, 0);
    RecolourMesh(Document, 1, 0, 0);
    EXPECT_EQ(PointFlags(2), (std::vector<int16_t>{-1, 0}));
}

TEST_F(ObjectDocumentTest, RefusedEditsSayWhyAndChangeNothing) {
    DeleteMarkedPoints(Document);
    EXPECT_EQ(Document.History().count(), 0) << "nothing marked";
    for (const int32_t point : {0, 1, 2}) {
        Document.TogglePointMark(0, point);
    }
    DeleteMarkedPoints(Document);
    DeleteChosenMesh(Document);
    DeleteChosenMesh(Document);
    ASSERT_EQ(Boxes.Records.size(), 2u);
    EXPECT_EQ(Boxes.Records[0].Prompt,
              "A mesh keeps at least 2 points: deleting 3 marked points of mesh 0 would leave 1.");
    EXPECT_NE(Boxes.Records[1].Prompt.find("at least one mesh"), std::string::npos);
    EXPECT_EQ(Document.Object().MeshCount, 1);
}

TEST_F(ObjectDocumentTest, TheStepsOfADragMergeIntoOneAndADragBackToTheStartLeavesNone) {
    const PointMove start{1, 10, 0, 10, 0};
    const auto to = [&](float x, float y) {
        PointMove move = start;
        move.ToX = x;
        move.ToY = y;
        return std::vector<PointMove>{move};
    };
    Document.MovePoints(0, to(11, 0), 1);
    Document.MovePoints(0, to(12, 3), 1);
    Document.MovePoints(0, to(13, 4), 1);
    EXPECT_EQ(Document.History().count(), 1);
    EXPECT_EQ(MeshAt(0).X[1], 13.0f);
    EXPECT_EQ(Document.History().undoText(), "Move 1 Point");
    Document.MovePoints(0, to(14, 4), 2);
    EXPECT_EQ(Document.History().count(), 2) << "another series is another step";
    Document.History().undo();
    Document.History().undo();
    EXPECT_EQ(MeshAt(0).X[1], 10.0f);

    Document.MovePoints(0, to(20, 20), 3);
    Document.MovePoints(0, to(10, 0), 3);
    EXPECT_EQ(Document.History().count(), 0) << "back where it began";
    EXPECT_FALSE(Document.IsModified());
    Document.MovePoints(0, to(10, 0), 4);
    EXPECT_EQ(Document.History().count(), 0) << "a move that moves nothing";
}

TEST_F(ObjectDocumentTest, ItsFileIsTheOneOpenedOrLastSavedAndWhatItWasIsKept) {
    TempFolder folder;
    const std::string path = folder.Path("a.lin");
    WriteLinFile(path, ObjectFileBytes(Document.Object()));
    QSignalSpy file(&Document, &ObjectDocument::FileChanged);
    ASSERT_TRUE(Document.Open(path));
    EXPECT_EQ(Document.FilePath(), path);
    ASSERT_TRUE(Document.Stamp().has_value());
    EXPECT_EQ(Document.Stamp()->Size, static_cast<int64_t>(ObjectFileBytes(Document.Object()).size()));
    EXPECT_EQ(Document.ChosenMesh(), -1);
    EXPECT_EQ(file.count(), 1);

    Document.ChooseMesh(0);
    Document.TogglePointMark(0, 0);
    NudgeMarkedPoints(Document, 1, 0);
    const std::string other = folder.Path("b.lin");
    WriteLinFile(other, ObjectFileBytes(Document.Object()));
    Document.Saved(other);
    EXPECT_EQ(Document.FilePath(), other);
    EXPECT_FALSE(Document.IsModified());
    EXPECT_NE(Document.Stamp()->Hash, StampOfFile(path)->Hash) << "other bytes, another hash";

    EXPECT_FALSE(Document.Open(folder.Path("missing.lin")));
    EXPECT_EQ(Document.Object().MeshCount, 0) << "an empty object";
    EXPECT_TRUE(Document.FilePath().empty());
    EXPECT_EQ(Document.History().count(), 0);
}

} // namespace quillax
