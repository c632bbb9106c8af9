#include "support/EditorFixture.h"
#include "support/ErrorOf.h"

#include "app/frmMain.h"
#include "platform/RuntimeError.h"
#include "view/MeshScene.h"

#include <QPushButton>

#include <gtest/gtest.h>

namespace quillax {

namespace {
std::vector<float> LeftsOf(const MeshScene& scene) {
    std::vector<float> lefts;
    for (int32_t n = 0; n < scene.Node.Count(); ++n) {
        lefts.push_back(scene.NodeAt(n).Left);
    }
    return lefts;
}

using MarkerPoolWindowTest = EditorFixture;
} // namespace

// A segment runs between the markers of its line's points, as the load command gives its ends.
TEST_F(MarkerPoolWindowTest, TheFirstMarkerReusesElementZeroCentredWithItsOwnSize) {
    const MeshScene& scene = Window->picMain->Scene();
    Window->LoadNodes(100, 40);
    EXPECT_EQ(scene.Node.Count(), 1);
    EXPECT_TRUE(scene.NodeAt(0).Visible);
    EXPECT_EQ(scene.NodeAt(0).Left, 97.5f);
    EXPECT_EQ(scene.NodeAt(0).Top, 37.5f);
    Window->LoadNodes(110, 44);
    Window->LoadJoints(100, 40, 110, 44);
    EXPECT_EQ(scene.Joint.Count(), 1);
    EXPECT_TRUE(scene.JointAt(0).Visible);
    EXPECT_EQ(scene.JointAt(0).X1, 100.0f);
    EXPECT_EQ(scene.JointAt(0).Y2, 44.0f);
    EXPECT_EQ(scene.JointAt(0).BorderColor, 128);
}

TEST_F(MarkerPoolWindowTest, LaterMarkersAppendInCallOrderAndAreShown) {
    const MeshScene& scene = Window->picMain->Scene();
    Window->LoadNodes(10, 10);
    Window->LoadNodes(20, 10);
    Window->LoadNodes(30, 10);
    ASSERT_EQ(scene.Node.Count(), 3);
    EXPECT_EQ(LeftsOf(scene), (std::vector<float>{7.5f, 17.5f, 27.5f}));
    for (int32_t n = 0; n < scene.Node.Count(); ++n) {
        EXPECT_TRUE(scene.NodeAt(n).Visible);
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
    } while (Window->picMain->Scene().Node.IsShown(0));
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
    const std::vector<float> first = LeftsOf(Window->picMain->Scene());
    Window->ResetEditor();
    EXPECT_TRUE(Window->picMain->Scene().Node.IsEmpty());
    EXPECT_TRUE(Window->picMain->Scene().Joint.IsEmpty());
    Window->cmdLoadFile->click();
    EXPECT_EQ(LeftsOf(Window->picMain->Scene()), first);
    EXPECT_EQ(Window->picMain->Scene().Joint.Count(), 5);
}

TEST(MarkerPool, HoldsMoreMarkersThanSixteenBitsCanCount) {
    NodePool pool;
    for (int k = 0; k < 40000; ++k) {
        pool.Add(Packed(k - 20000, 7));
    }
    EXPECT_EQ(pool.Count(), 40000);
    EXPECT_EQ(pool.Position(39999), Packed(19999, 7));
    EXPECT_EQ(pool.Position(32768), Packed(12768, 7));
    EXPECT_FALSE(pool.Position(0).IsExact()) << "beyond what 16 bits hold, found again from the model";
}

TEST(MarkerPool, KeepsItsIndicesContiguous) {
    JointPool pool;
    EXPECT_EQ(ErrorOf([&] { pool.Load(0); }), ErrNo::ObjectAlreadyLoaded);
    EXPECT_EQ(ErrorOf([&] { pool.Load(2); }), ErrNo::ControlArrayElementMissing);
    EXPECT_EQ(ErrorOf([&] { pool.Unload(0); }), ErrNo::CantUnloadDesignControl);
    EXPECT_EQ(ErrorOf([&] { pool.CheckExists(1); }), ErrNo::ControlArrayElementMissing);
    pool.Load(1);
    pool.Load(2);
    EXPECT_EQ(ErrorOf([&] { pool.Unload(1); }), ErrNo::InvalidCall);
    pool.Unload(2);
    EXPECT_EQ(pool.Count(), 2);
}

} // namespace quillax
