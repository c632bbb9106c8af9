#include "platform/Numeric.h"
#include "platform/NumberTexts.h"
#include "support/ErrorOf.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

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

// Each float's text reads back as that float, and is no longer than the fewest digits that do.
TEST(FloatText, IsTheShortestTextThatReadsBackAsTheSameFloat) {
    EXPECT_EQ(FloatText(12.5f), "12.5");
    EXPECT_EQ(FloatText(-4.0f), "-4");
    EXPECT_EQ(FloatText(0.1f), "0.1");
    EXPECT_EQ(FloatText(1e30f), "1e+30");
    EXPECT_EQ(FloatText(-0.0f), "-0");
    EXPECT_EQ(FloatText(std::numeric_limits<float>::denorm_min()), "1e-45");
    EXPECT_EQ(FloatText(std::numeric_limits<float>::infinity()), "inf");
    EXPECT_EQ(FloatText(-std::numeric_limits<float>::infinity()), "-inf");
    EXPECT_EQ(FloatText(std::copysign(std::numeric_limits<float>::quiet_NaN(), -1.0f)), "nan");
    uint32_t bits = 12345;
    for (int k = 0; k < 20000; ++k) {
        bits = bits * 1664525u + 1013904223u;
        const float value = std::bit_cast<float>(bits);
        if (!std::isfinite(value)) {
            continue;
        }
        const std::string text = FloatText(value);
        float back = 0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        ASSERT_EQ(std::bit_cast<uint32_t>(back), bits) << text;
        char shorter[48];
        for (int digits = 1; digits <= 9; ++digits) {
            std::snprintf(shorter, sizeof shorter, "%.*g", digits, static_cast<double>(value));
            if (std::strtof(shorter, nullptr) == value) {
                break;
            }
        }
        ASSERT_LE(text.size(), std::strlen(shorter)) << text << " against " << shorter;
    }
}

} // namespace quillax
