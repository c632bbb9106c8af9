#include "app/PanelLayout.h"

#include <gtest/gtest.h>

#include <limits>

namespace quillax {

namespace {
PanelInput DesignWindow(float sw = 872, float sh = 555) {
    return {sw, sh, 0, 0, 249, 393};
}

constexpr FlowEnd OneRow{1, 17};
} // namespace

TEST(PanelLayoutTest, OneRowAndOneColumnGiveTheDesignArrangement) {
    const PanelGeometry g = ArrangePanelGeometry(DesignWindow(), OneRow, OneRow);
    EXPECT_EQ(g.TopBarHeight, 24);
    EXPECT_EQ(g.TopBarWidth, 872);
    EXPECT_EQ(g.SideBarWidth, 24);
    EXPECT_EQ(g.SideBarTop, 24);
    EXPECT_EQ(g.SideBarHeight, 531);
    EXPECT_EQ(g.FrameLeft, 872 - 256);
    EXPECT_EQ(g.FrameTop, 28);
    EXPECT_EQ(g.MainLeft, 30);
    EXPECT_EQ(g.MainTop, 30);
    EXPECT_EQ(g.MainWidth, 872 - 294);
    EXPECT_EQ(g.MainHeight, 555 - 35);
    EXPECT_EQ(g.MinHeight, 481);
}

TEST(PanelLayoutTest, EachRowMovesThePanelsDownAndEachColumnMovesTheDrawingAreaRight) {
    const PanelGeometry one = ArrangePanelGeometry(DesignWindow(), OneRow, OneRow);
    const PanelGeometry rows = ArrangePanelGeometry(DesignWindow(), FlowEnd{41, 17}, OneRow);
    EXPECT_EQ(rows.TopBarHeight, one.TopBarHeight + 40);
    EXPECT_EQ(rows.FrameTop, one.FrameTop + 40);
    EXPECT_EQ(rows.MainTop, one.MainTop + 40);
    EXPECT_EQ(rows.MainHeight, one.MainHeight - 40);
    EXPECT_EQ(rows.SideBarTop, one.SideBarTop + 40);
    EXPECT_EQ(rows.SideBarHeight, one.SideBarHeight - 40);
    EXPECT_EQ(rows.MinHeight, 521);
    EXPECT_EQ(rows.MainLeft, one.MainLeft);

    const PanelGeometry columns = ArrangePanelGeometry(DesignWindow(), OneRow, FlowEnd{21, 17});
    EXPECT_EQ(columns.SideBarWidth, 44);
    EXPECT_EQ(columns.MainLeft, 50);
    EXPECT_EQ(columns.MainWidth, one.MainWidth - 20);
    EXPECT_EQ(columns.MainTop, one.MainTop);
    EXPECT_EQ(columns.MinHeight, 481);
}

TEST(PanelLayoutTest, AWindowTooSmallForItsPanelsGetsNoNegativeSize) {
    for (const float side : {0.0f, 10.0f, 40.0f, -5.0f}) {
        const PanelGeometry g = ArrangePanelGeometry(DesignWindow(side, side), OneRow, OneRow);
        for (const float size :
             {g.TopBarWidth, g.TopBarHeight, g.SideBarWidth, g.SideBarHeight, g.MainWidth, g.MainHeight}) {
            EXPECT_GE(size, 0) << side;
        }
        EXPECT_EQ(g.FrameLeft, side - 256);
        EXPECT_EQ(g.MinHeight, 481);
    }
}

TEST(PanelLayoutTest, OnlyAWindowShorterThanTheMinimumGrows) {
    EXPECT_FALSE(BelowMinimumHeight(481 * 15, 15, 481));
    EXPECT_TRUE(BelowMinimumHeight(480 * 15, 15, 481));
    EXPECT_TRUE(BelowMinimumHeight(481 * 15, 15, 481.5f));
    EXPECT_FALSE(BelowMinimumHeight(481 * 15, 15, std::numeric_limits<float>::quiet_NaN()));
}

TEST(PanelLayoutTest, ATwipStepSmallerThanAPixelStillMovesTheWindowByOne) {
    EXPECT_EQ(HeightInTwips(481, 15), 7215);
    EXPECT_EQ(HeightInPixels(HeightInTwips(481, 15) + 10, 15, 481), 482);
    EXPECT_EQ(HeightInPixels(HeightInTwips(481, 30) + 10, 30, 481), 482); // 48 dpi: a third of a pixel
    EXPECT_EQ(HeightInPixels(HeightInTwips(481, 7.5f) + 10, 7.5f, 481), 482);
    EXPECT_EQ(HeightInPixels(HeightInTwips(481, 7.5f) + 40, 7.5f, 481), 486);
    EXPECT_EQ(HeightInPixels(HeightInTwips(481, 15) - 10, 15, 481), 480);
    const float odd = 1440.0f / 110;
    EXPECT_EQ(HeightInPixels(HeightInTwips(481, odd), odd, 481), 481);
    EXPECT_EQ(HeightInPixels(HeightInTwips(481, odd) + 10, odd, 481), 482);
}

} // namespace quillax
