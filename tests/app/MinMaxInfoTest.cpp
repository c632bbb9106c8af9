#include "app/MinMaxInfo.h"

#include <gtest/gtest.h>

#include <limits>

namespace quillax {

namespace {
MINMAXINFO PlatformRecord() {
    return {{1, 2}, {1280, 1000}, {-4, -4}, {136, 39}, {1292, 1036}};
}

void ExpectOnlyMinTrackSizeChanged(const MINMAXINFO& info, POINTAPI minTrackSize) {
    const MINMAXINFO platform = PlatformRecord();
    EXPECT_EQ(info.ptReserved.x, platform.ptReserved.x);
    EXPECT_EQ(info.ptReserved.y, platform.ptReserved.y);
    EXPECT_EQ(info.ptMaxSize.x, platform.ptMaxSize.x);
    EXPECT_EQ(info.ptMaxSize.y, platform.ptMaxSize.y);
    EXPECT_EQ(info.ptMaxPosition.x, platform.ptMaxPosition.x);
    EXPECT_EQ(info.ptMaxPosition.y, platform.ptMaxPosition.y);
    EXPECT_EQ(info.ptMaxTrackSize.x, platform.ptMaxTrackSize.x);
    EXPECT_EQ(info.ptMaxTrackSize.y, platform.ptMaxTrackSize.y);
    EXPECT_EQ(info.ptMinTrackSize.x, minTrackSize.x);
    EXPECT_EQ(info.ptMinTrackSize.y, minTrackSize.y);
}
} // namespace

TEST(MinMaxInfoTest, TheMinimumsBecomeTheMinimumTrackingSize) {
    MINMAXINFO info = PlatformRecord();
    AnswerMinMaxInfo(info, 712, 481);
    ExpectOnlyMinTrackSizeChanged(info, {712, 481});
}

TEST(MinMaxInfoTest, ZeroNegativeOrNotANumberLeavesThePlatformMinimum) {
    MINMAXINFO info = PlatformRecord();
    AnswerMinMaxInfo(info, 0, 481);
    ExpectOnlyMinTrackSizeChanged(info, {136, 481});
    info = PlatformRecord();
    AnswerMinMaxInfo(info, 712, -1);
    ExpectOnlyMinTrackSizeChanged(info, {712, 39});
    info = PlatformRecord();
    AnswerMinMaxInfo(info, std::numeric_limits<float>::quiet_NaN(), -0.0f);
    ExpectOnlyMinTrackSizeChanged(info, {136, 39});
}

TEST(MinMaxInfoTest, AMinimumBeyondTheRecordIsHeldAtItsLargest) {
    MINMAXINFO info = PlatformRecord();
    AnswerMinMaxInfo(info, std::numeric_limits<float>::infinity(), 1e20f);
    ExpectOnlyMinTrackSizeChanged(info,
                                  {std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::max()});
}

} // namespace quillax
