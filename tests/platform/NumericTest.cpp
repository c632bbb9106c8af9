#include "platform/Numeric.h"
#include "support/ErrorOf.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace quillax {

TEST(Numeric, RoundsHalvesToEven) {
    EXPECT_EQ(ToInt16(320.5), 320);
    EXPECT_EQ(ToInt16(232.5), 232);
    EXPECT_EQ(ToInt16(321.5), 322);
    EXPECT_EQ(ToInt16(-2.5), -2);
    EXPECT_EQ(ToInt16(-3.5), -4);
    EXPECT_EQ(ToInt32(480.5), 480);
    EXPECT_EQ(ToInt32(481.5), 482);
}

TEST(Numeric, RoundHalfEvenMatchesTheLibraryBitForBit) {
    const double inf = std::numeric_limits<double>::infinity();
    for (const double value : {0.0,
                               -0.0,
                               0.5,
                               -0.5,
                               1.5,
                               -2.5,
                               -0.3,
                               0.49999999999999994,
                               0x1p51 + 0.5,
                               0x1p52 - 0.5,
                               -(0x1p52 - 0.5),
                               0x1p52,
                               -0x1p52 - 2,
                               0x1p53 + 2,
                               1e300,
                               -1e300,
                               std::numeric_limits<double>::denorm_min(),
                               -std::numeric_limits<double>::max(),
                               inf,
                               -inf}) {
        EXPECT_EQ(std::bit_cast<uint64_t>(RoundHalfEven(value)),
                  std::bit_cast<uint64_t>(std::nearbyint(value)))
            << value;
    }
    EXPECT_TRUE(std::isnan(RoundHalfEven(std::numeric_limits<double>::quiet_NaN())));
}

TEST(Numeric, RoundSaturatedHoldsTheTypesRange) {
    EXPECT_EQ(RoundSaturated<int16_t>(2.5), 2);
    EXPECT_EQ(RoundSaturated<int16_t>(-3.5), -4);
    EXPECT_EQ(RoundSaturated<int16_t>(40000), 32767);
    EXPECT_EQ(RoundSaturated<int16_t>(-std::numeric_limits<double>::infinity()), -32768);
    EXPECT_EQ(RoundSaturated<int32_t>(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(RoundSaturated<uint8_t>(255.5), 255);
    EXPECT_EQ(RoundSaturated<uint8_t>(-1), 0);
}

TEST(Numeric, OverflowsOutsideTheRange) {
    EXPECT_EQ(ToInt16(32767.4), 32767);
    EXPECT_EQ(ToInt16(-32768.5), -32768);
    EXPECT_EQ(ErrorOf([] { ToInt16(32767.5); }), ErrNo::Overflow);
    EXPECT_EQ(ErrorOf([] { ToInt16(-32768.6); }), ErrNo::Overflow);
    EXPECT_EQ(ErrorOf([] { ToInt16(std::numeric_limits<double>::quiet_NaN()); }), ErrNo::Overflow);
    EXPECT_EQ(ErrorOf([] { ToInt32(std::numeric_limits<double>::infinity()); }), ErrNo::Overflow);
    EXPECT_EQ(ErrorOf([] { ToInt32(2147483647.5); }), ErrNo::Overflow);
    EXPECT_EQ(ErrorOf([] { CheckedInt16(32768); }), ErrNo::Overflow);
    EXPECT_EQ(CheckedInt16(-32768), -32768);
}

TEST(Numeric, ErrorsCarryThePlatformDescription) {
    try {
        RaiseError(ErrNo::SubscriptOutOfRange);
        FAIL();
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Number(), 9);
        EXPECT_EQ(error.Description(), "Subscript out of range");
    }
    try {
        RaiseError(ErrNo::Overflow, "width");
        FAIL();
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Description(), "Overflow: width");
    }
}

} // namespace quillax
