#include "browse/StripState.h"
#include "support/ErrorOf.h"

#include <gtest/gtest.h>

namespace quillax {

namespace {
ElementArray<BoxElement> EmptyStrip(int32_t colour) {
    return ElementArray<BoxElement>(BoxElement{0, 0, 17, 17, colour, false});
}
} // namespace

TEST(StripStateTest, GrowingAnEmptyStripOnlyShowsBox0AsItWas) {
    auto strip = EmptyStrip(128);
    strip(0).BackColor = 33023;
    strip(0).Left = 41;
    EXPECT_FALSE(GrowStrip(strip, 128));
    EXPECT_EQ(strip.Count(), 1);
    EXPECT_TRUE(strip(0).Visible);
    EXPECT_EQ(strip(0).BackColor, 33023);
    EXPECT_EQ(strip(0).Left, 41);
}

TEST(StripStateTest, NewBoxesCopyBox0InTheUnselectedColour) {
    auto strip = EmptyStrip(32768);
    GrowStrip(strip, 32768);
    strip(0).BackColor = 12288000;
    strip(0).Width = 20;
    for (int k = 1; k < 5; ++k) {
        EXPECT_TRUE(GrowStrip(strip, 32768));
    }
    ASSERT_EQ(strip.Count(), 5);
    for (int16_t k = 1; k < 5; ++k) {
        EXPECT_TRUE(strip(k).Visible);
        EXPECT_EQ(strip(k).BackColor, 32768);
        EXPECT_EQ(strip(k).Width, 20);
    }
}

TEST(StripStateTest, TheFlagDecidesAndAnyNonZeroFlagIsSet) {
    auto strip = EmptyStrip(32768);
    GrowStrip(strip, 32768);
    for (const int16_t set : {int16_t{1}, int16_t{5}, int16_t{-32768}, int16_t{32767}, int16_t{-1}}) {
        std::vector<int16_t> flags{set};
        strip(0).BackColor = 32768;
        ToggleBox(flags, 0, strip, LineBoxColours);
        EXPECT_EQ(flags[0], 0) << set;
        EXPECT_EQ(strip(0).BackColor, 32768) << set;
    }
    std::vector<int16_t> clear{0};
    strip(0).BackColor = 12288000;
    ToggleBox(clear, 0, strip, LineBoxColours);
    EXPECT_EQ(clear[0], -1);
    EXPECT_EQ(strip(0).BackColor, 12288000);
}

TEST(StripStateTest, AMeshWithoutFlagsChangesNothing) {
    auto strip = EmptyStrip(128);
    GrowStrip(strip, 128);
    std::vector<int16_t> none;
    EXPECT_EQ(ErrorOf([&] { ToggleBox(none, 0, strip, PointBoxColours); }), ErrNo::SubscriptOutOfRange);
    EXPECT_EQ(strip(0).BackColor, 128);
}

} // namespace quillax
