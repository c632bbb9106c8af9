#include "gestures/MarkingGesture.h"
#include "gestures/NavigationGesture.h"
#include "gestures/PointEditGesture.h"
#include "support/DocumentBuilder.h"
#include "support/RecordingMessageBox.h"
#include "view/MarkerHitTest.h"

#include <QUndoStack>
#include <gtest/gtest.h>

#include <algorithm>

namespace quillax {

namespace {
// Mesh 0 lies along a row, 20 pixels a point at the start zoom; mesh 1 below it. The area is 200 x 100.
class GesturesTest : public ::testing::Test {
protected:
    void SetUp() override {
        Scene.SetArea(QSize(200, 100));
        auto [object, placement] = ObjectOf({{{-10, 0}, {-5, 0}, {0, 0}, {5, 0}}, {{-10, 8}, {0, 8}}});
        Document.Replace(object, placement);
        Scene.LoadMarkers([](int16_t, bool) {});
        Document.ChooseMesh(0);
        Scene.RedrawView();
    }
    QPoint Centre(int32_t n) const {
        const MarkerPoint centre = MarkerCentre(Scene.NodeAt(n));
        return {static_cast<int>(centre.X), static_cast<int>(centre.Y)};
    }
    // The pixels the markers' centres span.
    QRect Drawn() const {
        QRect drawn;
        for (int32_t n = 0; n < Scene.Node.Count(); ++n) {
            drawn |= QRect(Centre(n), QSize(1, 1));
        }
        return drawn;
    }

    RecordingMessageBox Boxes;
    ObjectDocument Document;
    MeshScene Scene{Document};
    NavigationGesture Navigation{Scene};
    MarkingGesture Marking{Document, Scene};
    PointEditGesture Edits{Document, Scene};
};
} // namespace

TEST_F(GesturesTest, HomeFitsTheObjectIntoTheAreaAsItIsNow) {
    Navigation.FitView();
    EXPECT_NEAR(Drawn().center().x(), 100, 1);
    Scene.SetArea(QSize(400, 300));
    Navigation.FitView();
    const QRect drawn = Drawn();
    EXPECT_GE(drawn.left(), 10);
    EXPECT_LE(drawn.right(), 390);
    EXPECT_NEAR(drawn.center().x(), 200, 1) << "centred in the new area";
    EXPECT_NEAR(drawn.center().y(), 150, 1);
    EXPECT_TRUE(drawn.left() < 20 || drawn.right() > 380) << "as wide as the area lets it";
    Navigation.StartView();
    EXPECT_EQ(Scene.ViewScale, 4.0f);
    EXPECT_EQ(Scene.ViewOffsetX, 0.0f);
}

TEST_F(GesturesTest, TheWheelKeepsThePointUnderThePointerAndAPanFollowsIt) {
    const QPoint under = Centre(3);
    Navigation.Wheeled(2, QPointF(under) + QPointF(0.5, 0.5));
    EXPECT_EQ(Scene.ViewScale, 6.25f);
    EXPECT_EQ(Centre(3), under);
    Navigation.PanBegan();
    Navigation.Panned(QPointF(7, -3));
    Navigation.Panned(QPointF(12, 5));
    EXPECT_EQ(Centre(3), under + QPoint(12, 5)) << "from where the pan began";
}

TEST_F(GesturesTest, AClickFindsThePointOrLineOfTheChosenMeshOrAnotherMesh) {
    EXPECT_EQ(Marking.ClickAt(Centre(2).x(), Centre(2).y()), (ClickTarget{ClickTarget::Kind::Point, 2}));
    const QPoint between = (Centre(0) + Centre(1)) / 2;
    EXPECT_EQ(Marking.ClickAt(between.x(), between.y()), (ClickTarget{ClickTarget::Kind::Line, 0}));
    EXPECT_EQ(Marking.ClickAt(Centre(5).x(), Centre(5).y()), (ClickTarget{ClickTarget::Kind::Mesh, 1}));
    EXPECT_FALSE(Marking.ClickAt(0, 0));
}

TEST_F(GesturesTest, ABandMarksThePointsInsideItAddedWithShift) {
    Document.ToggleLineMark(0, 2);
    Marking.Band(Centre(0) - QPoint(2, 2), Centre(1) + QPoint(2, 2), false);
    EXPECT_EQ(Document.MarksOf(0)->PointFlags, (std::vector<int16_t>{-1, -1, 0, 0}));
    EXPECT_EQ(Document.MarksOf(0)->LineFlags, (std::vector<int16_t>{0, 0, 0}));
    Marking.Band(Centre(3), Centre(3), true);
    EXPECT_EQ(Document.MarksOf(0)->PointFlags, (std::vector<int16_t>{-1, -1, 0, -1}));
    Marking.MarkAll();
    EXPECT_EQ(Document.MarksOf(0)->LineFlags, (std::vector<int16_t>{-1, -1, -1}));
    Marking.ClearMarks();
    EXPECT_EQ(Document.MarksOf(0)->PointFlags, (std::vector<int16_t>{0, 0, 0, 0}));
    EXPECT_EQ(Document.History().count(), 0) << "marks are no edit";
}

TEST_F(GesturesTest, ADragMovesThePointOrTheMarkedPointsAsOneStep) {
    ASSERT_FALSE(Edits.DragBegan(QPoint(1, 1))) << "empty space: a band";
    ASSERT_TRUE(Edits.DragBegan(Centre(1)));
    Edits.Dragged(Centre(1), Centre(1) + QPoint(4, 0));
    Edits.DragEnded(Centre(1), Centre(1) + QPoint(8, 4));
    EXPECT_FALSE(Edits.IsDragging());
    EXPECT_EQ(Document.Object().Meshes[0].X[1], -3.0f);
    EXPECT_EQ(Document.Object().Meshes[0].Y[1], 1.0f);
    EXPECT_EQ(Document.History().count(), 1);

    Document.TogglePointMark(0, 0);
    Document.TogglePointMark(0, 3);
    Scene.RedrawView();
    ASSERT_TRUE(Edits.DragBegan(Centre(3)));
    Edits.DragEnded(Centre(3), Centre(3) + QPoint(0, -8));
    EXPECT_EQ(Document.Object().Meshes[0].Y[0], -2.0f);
    EXPECT_EQ(Document.Object().Meshes[0].Y[3], -2.0f);
    EXPECT_EQ(Document.Object().Meshes[0].Y[1], 1.0f) << "unmarked, it stays";
    EXPECT_EQ(Document.History().count(), 2);
}

TEST_F(GesturesTest, ADoubleClickOnALineInsertsAPointWhereItPassesNearest) {
    const QPoint between = (Centre(1) + Centre(2)) / 2;
    Edits.DoubleClicked(between.x(), between.y() + 2);
    ASSERT_EQ(Document.Object().Meshes[0].PointCount, 5);
    EXPECT_EQ(Document.Object().Meshes[0].X[2], -2.5f);
    EXPECT_EQ(Document.Object().Meshes[0].Y[2], 0.0f);
    Edits.DoubleClicked(0, 0);
    EXPECT_EQ(Document.History().count(), 1) << "no line there";
}

} // namespace quillax
