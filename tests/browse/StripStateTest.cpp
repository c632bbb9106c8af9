#include "browse/StripState.h"

#include <gtest/gtest.h>

namespace quillax {

TEST(StripStateTest, GrowingAnEmptyStripOnlyShowsBox0AsItWasAndNewBoxesCopyBox0) {
    ElementArray<BoxElement> strip(BoxElement{0, 0, 17, 17, false});
    strip(0).Left = 41;
    EXPECT_FALSE(GrowStrip(strip));
    EXPECT_EQ(strip.Count(), 1);
    EXPECT_TRUE(strip(0).Visible);
    EXPECT_EQ(strip(0).Left, 41);
    strip(0).Width = 20;
    for (int k = 1; k < 5; ++k) {
        EXPECT_TRUE(GrowStrip(strip));
    }
    ASSERT_EQ(strip.Count(), 5);
    for (int16_t k = 1; k < 5; ++k) {
        EXPECT_TRUE(strip(k).Visible);
        EXPECT_EQ(strip(k).Width, 20);
    }
    ShrinkStrip(strip);
    EXPECT_EQ(strip.Count(), 4);
}

TEST(StripStateTest, ABoxShowsTheColourOfItsMark) {
    EXPECT_EQ(BoxColour(PointBoxColours, false), 128);
    EXPECT_EQ(BoxColour(PointBoxColours, true), 33023);
    EXPECT_EQ(BoxColour(LineBoxColours, false), 32768);
    EXPECT_EQ(BoxColour(LineBoxColours, true), 12288000);
}

} // namespace quillax
