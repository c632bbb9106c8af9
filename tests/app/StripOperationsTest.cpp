#include "support/EditorFixture.h"

#include "app/MarkerTips.h"
#include "support/ErrorOf.h"

#include "app/frmMain.h"
#include "browse/ListBox.h"
#include "objects/modObjects.h"
#include "platform/RuntimeError.h"

namespace quillax {

namespace {
class StripOperationsTest : public EditorFixture {};
} // namespace

// A box the layout has not placed since it was moved keeps where it was put.
TEST_F(StripOperationsTest, GrowingRunsTheLayoutForEveryCreatedBoxOnly) {
    frmMain& w = *Window;
    w.picPoint(0).Left = -50;
    w.LoadPointBoxes();
    EXPECT_EQ(w.picPoint.Count(), 1);
    EXPECT_TRUE(w.picPoint(0).Visible);
    EXPECT_EQ(w.picPoint(0).Left, -50) << "showing box 0 runs no layout";
    for (int k = 1; k < 6; ++k) {
        w.LoadPointBoxes();
        EXPECT_EQ(w.picPoint(k).Left, 1 + 20 * k) << "each new box is placed at once";
    }
    ASSERT_EQ(w.picPoint.Count(), 6);
    for (int16_t k = 0; k < 6; ++k) {
        EXPECT_TRUE(w.picPoint(k).Visible);
        EXPECT_EQ(w.picTopBar->ShownColour(k), 128);
    }
    w.LoadLineBoxes();
    w.picLine(0).Top = -50;
    w.LoadLineBoxes();
    EXPECT_EQ(w.picLine.Count(), 2);
    EXPECT_EQ(w.picSideBar->ShownColour(1), 32768);
    EXPECT_EQ(w.picLine(0).Top, 1);
    EXPECT_EQ(w.picLine(1).Top, 21);
}

TEST_F(StripOperationsTest, ShrinkingNeverRunsTheLayout) {
    frmMain& w = *Window;
    w.LoadLineBoxes();
    w.LoadLineBoxes();
    w.picLine(0).Top = -50;
    w.UnloadLineBoxes();
    EXPECT_EQ(w.picLine.Count(), 1);
    EXPECT_TRUE(w.picLine(0).Visible);
    w.UnloadLineBoxes();
    EXPECT_EQ(w.picLine.Count(), 1);
    EXPECT_FALSE(w.picLine(0).Visible);
    w.UnloadLineBoxes();
    EXPECT_EQ(w.picLine.Count(), 1);
    EXPECT_FALSE(w.picLine(0).Visible);
    w.UnloadPointBoxes();
    EXPECT_TRUE(w.picPoint.IsEmpty());
    EXPECT_EQ(w.picLine(0).Top, -50);
}

TEST_F(StripOperationsTest, ChoosingASmallerMeshShrinksTheStripsWithoutALayout) {
    Load(MeshesOf({5, 2}));
    EXPECT_EQ(Window->picPoint.Count(), 5);
    EXPECT_EQ(Window->picLine.Count(), 4);
    Window->picPoint(0).Left = -50;
    Window->LstMeshes->SetListIndex(1);
    EXPECT_EQ(Window->picPoint.Count(), 2);
    EXPECT_EQ(Window->picLine.Count(), 1);
    EXPECT_EQ(Window->picPoint(0).Left, -50);
}

TEST_F(StripOperationsTest, TogglesMarkTheChosenMeshAndRedrawOncePerClick) {
    Load(MeshesOf({3, 4, 5}));
    Window->LstMeshes->SetListIndex(2);
    MarkBackground();
    Window->PaintPointBox(2, 3);
    EXPECT_TRUE(Redrawn());
    EXPECT_EQ(CurrentPlacement.Selections[2].PointFlags[3], -1);
    EXPECT_EQ(Window->picTopBar->ShownColour(3), 33023);
    Window->PaintLineBox(2, 0);
    EXPECT_EQ(CurrentPlacement.Selections[2].LineFlags[0], -1);
    EXPECT_EQ(Window->picSideBar->ShownColour(0), 12288000);
    EXPECT_EQ(CurrentPlacement.Selections[2].PointFlags, (std::vector<int16_t>{0, 0, 0, -1, 0}));
    EXPECT_EQ(Window->picTopBar->ShownColour(2), 128);

    Window->picPoint_Click(1);
    Window->picPoint_Click(1);
    EXPECT_EQ(CurrentPlacement.Selections[2].PointFlags[1], 0);
    EXPECT_EQ(Window->picTopBar->ShownColour(1), 128);
    MarkBackground();
    Window->picLine_Click(0);
    EXPECT_TRUE(Redrawn());
    EXPECT_EQ(CurrentPlacement.Selections[2].LineFlags[0], 0);
    EXPECT_EQ(Window->picSideBar->ShownColour(0), 32768);
}

TEST_F(StripOperationsTest, AnyNonZeroFlagCountsAsSet) {
    Load(MeshesOf({3}));
    CurrentPlacement.Selections[0].PointFlags[2] = 7;
    CurrentPlacement.Selections[0].LineFlags[1] = 1;
    Window->PaintPointBox(0, 2);
    Window->PaintLineBox(0, 1);
    EXPECT_EQ(CurrentPlacement.Selections[0].PointFlags[2], 0);
    EXPECT_EQ(Window->picTopBar->ShownColour(2), 128);
    EXPECT_EQ(CurrentPlacement.Selections[0].LineFlags[1], 0);
    EXPECT_EQ(Window->picSideBar->ShownColour(1), 32768);
}

TEST_F(StripOperationsTest, IndicesOutsideTheMeshChangeNothing) {
    Load(MeshesOf({3, 5}));
    MarkBackground();
    EXPECT_EQ(ErrorOf([&] { Window->PaintPointBox(2, 0); }), ErrNo::SubscriptOutOfRange);
    EXPECT_EQ(ErrorOf([&] { Window->PaintPointBox(-1, 0); }), ErrNo::SubscriptOutOfRange);
    EXPECT_EQ(ErrorOf([&] { Window->PaintPointBox(0, 3); }), ErrNo::SubscriptOutOfRange);
    EXPECT_EQ(ErrorOf([&] { Window->PaintLineBox(0, 2); }), ErrNo::SubscriptOutOfRange);
    EXPECT_EQ(ErrorOf([&] { Window->PaintLineBox(0, -1); }), ErrNo::SubscriptOutOfRange);
    // Mesh 1 has a flag 4 but the strips hold mesh 0's three boxes.
    EXPECT_EQ(ErrorOf([&] { Window->PaintPointBox(1, 4); }), ErrNo::ControlArrayElementMissing);
    for (const MeshSelection& selection : CurrentPlacement.Selections) {
        EXPECT_TRUE(std::all_of(selection.PointFlags.begin(), selection.PointFlags.end(),
                                [](int16_t flag) { return flag == 0; }));
        EXPECT_TRUE(std::all_of(selection.LineFlags.begin(), selection.LineFlags.end(),
                                [](int16_t flag) { return flag == 0; }));
    }
    for (int16_t k = 0; k < Window->picPoint.Count(); ++k) {
        EXPECT_EQ(Window->picTopBar->ShownColour(k), 128);
    }
    EXPECT_FALSE(Redrawn());
}

TEST_F(StripOperationsTest, TipsNameThePointOrLineOfTheChosenMesh) {
    Load(MeshesOf({3, 4}));
    EXPECT_EQ(BoxTip(Window->picTopBar, Window->picPoint(1)), "Mesh 0, point 1: (-15, -20)");
    EXPECT_EQ(BoxTip(Window->picSideBar, Window->picLine(1)), "Mesh 0, line 1: (-15, -20) to (-10, -20)");
    EXPECT_EQ(PointTip(CurrentObject, 0, 3), "");
    EXPECT_EQ(LineTip(CurrentObject, 0, 2), "");
    EXPECT_EQ(LineTip(CurrentObject, 0, -1), "");
    Window->LstMeshes->SetListIndex(1);
    EXPECT_EQ(BoxTip(Window->picTopBar, Window->picPoint(3)), "Mesh 1, point 3: (-5, -12)");
    EXPECT_EQ(BoxTip(Window->picSideBar, Window->picLine(2)), "Mesh 1, line 2: (-10, -12) to (-5, -12)");
}

TEST_F(StripOperationsTest, MarkedPointsAndLinesAreDrawnWhiteAndLarger) {
    Load(MeshesOf({3, 4}));
    Window->LstMeshes->SetListIndex(1);
    // Mesh 1's markers follow mesh 0's three; its line k follows mesh 0's two lines.
    Window->PaintPointBox(1, 2);
    Window->PaintLineBox(1, 1);
    const NodeElement marked = Window->picMain->Scene().NodeAt(3 + 2);
    EXPECT_EQ(marked.Width, 5.0f);
    EXPECT_EQ(marked.Height, 5.0f);
    EXPECT_EQ(marked.BorderColor, 16777215);
    const NodeElement plain = Window->picMain->Scene().NodeAt(3 + 1);
    EXPECT_EQ(plain.Width, 3.0f);
    EXPECT_EQ(plain.BorderColor, plain.FillColor);
    EXPECT_EQ(Window->picMain->Scene().JointAt(2 + 1).BorderColor, 16777215);
    EXPECT_EQ(Window->picMain->Scene().JointAt(2 + 1).BorderWidth, 2);
    EXPECT_EQ(Window->picMain->Scene().JointAt(2 + 0).BorderWidth, 1);

    Window->PaintPointBox(1, 2);
    EXPECT_EQ(Window->picMain->Scene().NodeAt(3 + 2).Width, 3.0f);
    EXPECT_NE(Window->picMain->Scene().NodeAt(3 + 2).BorderColor, 16777215);
}

} // namespace quillax
