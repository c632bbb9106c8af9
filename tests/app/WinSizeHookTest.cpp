#include "app/MinTrackSize.h"
#include "app/modWinSize.h"

#include <QWidget>
#include <gtest/gtest.h>

#include <limits>

namespace quillax {

TEST(MinTrackSize, AnswersTheMinimumsRoundedHalfToEven) {
    const QSize platform(136, 39);
    EXPECT_EQ(MinTrackSize(platform, 712, 481), QSize(712, 481));
    EXPECT_EQ(MinTrackSize(platform, 712, 480.5f), QSize(712, 480));
    EXPECT_EQ(MinTrackSize(platform, 712, 481.5f), QSize(712, 482));
}

TEST(MinTrackSize, ZeroNegativeOrNotANumberLeavesThePlatformMinimum) {
    const QSize platform(136, 39);
    EXPECT_EQ(MinTrackSize(platform, 0, 481), QSize(136, 481));
    EXPECT_EQ(MinTrackSize(platform, 712, -1), QSize(712, 39));
    EXPECT_EQ(MinTrackSize(platform, std::numeric_limits<float>::quiet_NaN(), -0.0f), platform);
    EXPECT_EQ(MinTrackSize(platform, std::numeric_limits<float>::infinity(), 1e20f),
              QSize(std::numeric_limits<int>::max(), std::numeric_limits<int>::max()))
        << "held at the largest size";
}

namespace {
// A plain top-level window with the hook's globals set as the editor sets them.
class WinSizeHookTest : public ::testing::Test {
protected:
    WinSizeHookTest() {
        Window.resize(800, 600);
        Window.show();
        HookedWindow = &Window;
        MinWidth = 712;
        MinHeight = 481;
    }
    ~WinSizeHookTest() override {
        UnhookWindow();
        HookedWindow = nullptr;
    }

    // The outer minimum the window system is told.
    QSize OuterMinimum() const {
        return Window.minimumSize() + (Window.frameGeometry().size() - Window.size());
    }

    QWidget Window;
};
} // namespace

TEST_F(WinSizeHookTest, TheWindowCannotBeSizedBelowTheMinimum) {
    HookWindow();
    EXPECT_EQ(OuterMinimum(), QSize(712, 481));
    Window.resize(100, 100);
    EXPECT_GE(Window.frameGeometry().width(), 712);
    EXPECT_GE(Window.frameGeometry().height(), 481);
}

TEST_F(WinSizeHookTest, EveryChangeReachesTheWindowAtOnce) {
    HookWindow();
    MinHeight = 520;
    EXPECT_EQ(OuterMinimum().height(), 520) << "raised: no resize needed first";
    MinHeight = 300.5f;
    EXPECT_EQ(OuterMinimum().height(), 300) << "lowered: released at once";
    MinWidth = 0;
    EXPECT_EQ(OuterMinimum().width(), Window.minimumSizeHint().expandedTo(QSize(0, 0)).width() +
                                          Window.frameGeometry().width() - Window.width())
        << "0 is the platform's own minimum";
}

TEST_F(WinSizeHookTest, AMinimumAboveTheWindowNeverResizesItAndFollowsItsGrowth) {
    HookWindow();
    const int outer = Window.frameGeometry().height();
    MinHeight = static_cast<float>(outer + 50);
    EXPECT_EQ(Window.frameGeometry().height(), outer) << "the layout grows the window, the hook does not";
    Window.resize(Window.width(), Window.height() + 20);
    EXPECT_EQ(OuterMinimum().height(), outer + 20);
    Window.resize(Window.width(), Window.height() + 100);
    EXPECT_EQ(OuterMinimum().height(), outer + 50);
}

TEST_F(WinSizeHookTest, HookingTwiceAndUnhookingOnceGivesThePlatformItsMinimumBack) {
    HookWindow();
    HookWindow();
    UnhookWindow();
    EXPECT_EQ(Window.minimumSize(), QSize(0, 0));
    MinHeight = 590;
    EXPECT_EQ(Window.minimumSize(), QSize(0, 0)) << "unhooked: changes reach nothing";
    UnhookWindow();
    HookWindow();
    EXPECT_EQ(OuterMinimum().height(), 590) << "hooked again, the current values apply";
}

} // namespace quillax
