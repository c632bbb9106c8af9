#include "support/EditorFixture.h"
#include "support/ErrorOf.h"

#include "app/frmMain.h"
#include "platform/RuntimeError.h"
#include "view/JointElement.h"
#include "view/NodeElement.h"

#include <QPushButton>

#include <gtest/gtest.h>

namespace quillax {

namespace {
std::vector<float> LeftsOf(const NodePool& pool) {
    std::vector<float> lefts;
    for (const NodeElement& node : pool) {
        lefts.push_back(node.Left);
    }
    return lefts;
}

using MarkerPoolWindowTest = EditorFixture;
} // namespace

TEST_F(MarkerPoolWindowTest, TheFirstMarkerReusesElementZeroCentredWithItsOwnSize) {
    Window->LoadNodes(100, 40);
    EXPECT_EQ(Window->picMain->Scene().Node.Count(), 1);
    EXPECT_TRUE(Window->picMain->Scene().Node(0).Visible);
    EXPECT_EQ(Window->picMain->Scene().Node(0).Left, 97.5f);
    EXPECT_EQ(Window->picMain->Scene().Node(0).Top, 37.5f);
    Window->LoadJoints(1, 2, 3, 4);
    EXPECT_EQ(Window->picMain->Scene().Joint.Count(), 1);
    EXPECT_TRUE(Window->picMain->Scene().Joint(0).Visible);
    EXPECT_EQ(Window->picMain->Scene().Joint(0).X1, 1.0f);
    EXPECT_EQ(Window->picMain->Scene().Joint(0).Y2, 4.0f);
    EXPECT_EQ(Window->picMain->Scene().Joint(0).BorderColor, 128);
}

TEST_F(MarkerPoolWindowTest, LaterMarkersAppendInCallOrderAsHiddenCopiesMadeVisible) {
    Window->LoadNodes(10, 10);
    Window->picMain->Scene().Node(0).Width = 3;
    Window->LoadNodes(20, 10);
    Window->LoadNodes(30, 10);
    ASSERT_EQ(Window->picMain->Scene().Node.Count(), 3);
    EXPECT_EQ(LeftsOf(Window->picMain->Scene().Node), (std::vector<float>{7.5f, 18.5f, 28.5f}));
    for (const NodeElement& node : Window->picMain->Scene().Node) {
        EXPECT_TRUE(node.Visible);
    }
}

TEST_F(MarkerPoolWindowTest, UnloadingRemovesTheLastThenHidesElementZero) {
    Window->UnloadNodes();
    EXPECT_TRUE(Window->picMain->Scene().Node.IsEmpty());
    for (int k = 0; k < 5; ++k) {
        Window->LoadNodes(static_cast<float>(10 * k), 0);
    }
    int calls = 0;
    do {
        Window->UnloadNodes();
        ++calls;
    } while (Window->picMain->Scene().Node(0).Visible);
    EXPECT_EQ(calls, 5);
    EXPECT_EQ(Window->picMain->Scene().Node.Count(), 1);
    Window->UnloadNodes();
    EXPECT_TRUE(Window->picMain->Scene().Node.IsEmpty());
    Window->LoadJoints(0, 0, 1, 1);
    Window->UnloadJoints();
    EXPECT_TRUE(Window->picMain->Scene().Joint.IsEmpty());
}

TEST_F(MarkerPoolWindowTest, ARefilledPoolNumbersItsMarkersAsTheFirstFillDid) {
    Load(MeshesOf({3, 4}));
    const std::vector<float> first = LeftsOf(Window->picMain->Scene().Node);
    Window->ResetEditor();
    EXPECT_TRUE(Window->picMain->Scene().Node.IsEmpty());
    EXPECT_TRUE(Window->picMain->Scene().Joint.IsEmpty());
    Window->cmdLoadFile->click();
    EXPECT_EQ(LeftsOf(Window->picMain->Scene().Node), first);
    EXPECT_EQ(Window->picMain->Scene().Joint.Count(), 5);
}

TEST(MarkerPool, HoldsMoreMarkersThanSixteenBitsCanCount) {
    NodePool pool{NodeElement{}};
    for (int k = 0; k < 40000; ++k) {
        NodeElement& node = NextElement(pool);
        node.Left = static_cast<float>(k);
        node.Visible = true;
    }
    EXPECT_EQ(pool.Count(), 40000);
    EXPECT_EQ(pool(39999).Left, 39999.0f);
    EXPECT_EQ(pool(32768).Left, 32768.0f);
}

TEST(MarkerPool, KeepsItsIndicesContiguous) {
    JointPool pool{JointElement{}};
    EXPECT_EQ(ErrorOf([&] { pool.Load(0); }), ErrNo::ObjectAlreadyLoaded);
    EXPECT_EQ(ErrorOf([&] { pool.Load(2); }), ErrNo::ControlArrayElementMissing);
    EXPECT_EQ(ErrorOf([&] { pool.Unload(0); }), ErrNo::CantUnloadDesignControl);
    EXPECT_EQ(ErrorOf([&] { pool.Item(1); }), ErrNo::ControlArrayElementMissing);
    pool.Load(1);
    pool.Load(2);
    EXPECT_EQ(ErrorOf([&] { pool.Unload(1); }), ErrNo::InvalidCall);
    pool.Unload(2);
    EXPECT_EQ(pool.Count(), 2);
}

} // namespace quillax
