#include "app/StripFlow.h"
#include "platform/Numeric.h"
#include "platform/RuntimeError.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>

namespace quillax {

namespace {
ElementArray<BoxElement> Strip(int count) {
    ElementArray<BoxElement> boxes{BoxElement{0, 0, 17, 17, false}};
    for (int i = 1; i < count; ++i) {
        boxes.Load(i);
    }
    return boxes;
}

// The flow as written, from scratch: what StripFlow must reproduce exactly.
FlowEnd ReferenceFlow(ElementArray<BoxElement>& boxes, float extent, BoxFlow axis) {
    const bool rows = axis == BoxFlow::Rows;
    float BoxElement::*alongPosition = rows ? &BoxElement::Left : &BoxElement::Top;
    float BoxElement::*alongSize = rows ? &BoxElement::Width : &BoxElement::Height;
    float BoxElement::*acrossPosition = rows ? &BoxElement::Top : &BoxElement::Left;
    float BoxElement::*acrossSize = rows ? &BoxElement::Height : &BoxElement::Width;
    const float margin = rows ? 5.0f : 28.0f;
    int16_t along = 1;
    int16_t across = 1;
    const bool cramped = 1.0f + boxes(0).*alongSize + margin > extent;
    for (int i = 0; i < boxes.Count(); ++i) {
        BoxElement& box = boxes(i);
        if (cramped) {
            box.*alongPosition = 1;
            box.*acrossPosition = 1;
            continue;
        }
        if (i > 0 && static_cast<float>(along) + box.*alongSize + margin > extent) {
            along = 1;
            across = ToInt16(static_cast<float>(across) + boxes(i - 1).*acrossSize + 3.0f);
        }
        box.*alongPosition = along;
        box.*acrossPosition = across;
        along = ToInt16(static_cast<float>(along) + box.*alongSize + 3.0f);
    }
    return {across, boxes(boxes.Count() - 1).*acrossSize};
}

// The end of a flow, or nothing when it overflowed.
template <typename Run> std::optional<FlowEnd> Flowed(Run run) {
    try {
        return run();
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Number(), ErrNo::Overflow);
        return std::nullopt;
    }
}

void ExpectSamePlaces(const ElementArray<BoxElement>& actual, const ElementArray<BoxElement>& expected,
                      const std::string& context) {
    ASSERT_EQ(actual.Count(), expected.Count()) << context;
    for (int i = 0; i < actual.Count(); ++i) {
        ASSERT_EQ(actual(i).Left, expected(i).Left) << context << " box " << i;
        ASSERT_EQ(actual(i).Top, expected(i).Top) << context << " box " << i;
    }
}
} // namespace

TEST(StripFlowTest, FortyFourPointBoxesAtTheDesignWidthStartASecondRow) {
    auto boxes = Strip(44);
    StripFlow rows(BoxFlow::Rows);
    const FlowEnd end = rows.Run(boxes, 872);
    EXPECT_EQ(boxes(0).Left, 1);
    EXPECT_EQ(boxes(0).Top, 1);
    EXPECT_EQ(boxes(42).Left, 841);
    EXPECT_EQ(boxes(42).Top, 1);
    EXPECT_EQ(boxes(43).Left, 1);
    EXPECT_EQ(boxes(43).Top, 21);
    EXPECT_EQ(end.Across, 21);
    EXPECT_EQ(end.LastAcrossSize, 17);
}

TEST(StripFlowTest, ABoxWhoseEdgePlusMarginEqualsTheExtentStaysInItsRowOrColumn) {
    auto points = Strip(43);
    StripFlow rows(BoxFlow::Rows);
    rows.Run(points, 863); // box 42 ends at 858, + 5 = 863
    EXPECT_EQ(points(42).Top, 1);
    rows.Run(points, 862);
    EXPECT_EQ(points(42).Left, 1);
    EXPECT_EQ(points(42).Top, 21);

    auto lines = Strip(26);
    StripFlow columns(BoxFlow::Columns);
    const FlowEnd fitting = columns.Run(lines, 546); // box 25 ends at 518, + 28 = 546
    EXPECT_EQ(lines(25).Left, 1);
    EXPECT_EQ(lines(25).Top, 501);
    EXPECT_EQ(fitting.Across, 1);
    const FlowEnd wrapped = columns.Run(lines, 545);
    EXPECT_EQ(lines(25).Left, 21);
    EXPECT_EQ(lines(25).Top, 1);
    EXPECT_EQ(wrapped.Across, 21);
}

TEST(StripFlowTest, AnEmptyStripStillPlacesItsHiddenBox) {
    auto boxes = Strip(1);
    boxes(0).Left = 50;
    StripFlow columns(BoxFlow::Columns);
    const FlowEnd end = columns.Run(boxes, 555);
    EXPECT_EQ(boxes(0).Left, 1);
    EXPECT_EQ(boxes(0).Top, 1);
    EXPECT_EQ(end.Across, 1);
    EXPECT_EQ(end.LastAcrossSize, 17);
}

TEST(StripFlowTest, AWindowWithNoRoomForTheFirstBoxKeepsEveryBoxAtTheFirstPlace) {
    auto boxes = Strip(32767);
    StripFlow rows(BoxFlow::Rows);
    const FlowEnd end = rows.Run(boxes, 22);
    EXPECT_EQ(end.Across, 1);
    EXPECT_EQ(boxes(32766).Left, 1);
    EXPECT_EQ(boxes(32766).Top, 1);

    auto few = Strip(3);
    rows.Run(few, 22);
    EXPECT_EQ(few(2).Top, 1);
    rows.Run(few, 23);
    EXPECT_EQ(few(1).Top, 21);
    EXPECT_EQ(few(2).Top, 41);
}

TEST(StripFlowTest, ARunningPositionBeyondSixteenBitsIsAnOverflowAndTheFlowRecovers) {
    auto boxes = Strip(2000);
    StripFlow rows(BoxFlow::Rows);
    try {
        rows.Run(boxes, 30); // one box a row: row 1639 would start at y = 32781
        FAIL() << "no overflow";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Number(), ErrNo::Overflow);
    }
    EXPECT_EQ(boxes(1637).Top, 1 + 1637 * 20);
    const FlowEnd end = rows.Run(boxes, 872);
    EXPECT_EQ(end.Across, 1 + 46 * 20);
    EXPECT_EQ(boxes(1999).Left, 1 + 21 * 20);
}

// The kept flow against a fresh one, through the runs an editor makes: boxes added one at a time,
// strips emptied and refilled, the window resized in steps small and large, and now and then a new
// box size (fractional ones round halves to even).
void CompareWithFreshFlow(BoxFlow axis, float startExtent, unsigned seed) {
    std::mt19937 random(seed);
    auto kept = Strip(1);
    auto fresh = Strip(1);
    StripFlow flow(axis);
    float extent = startExtent;
    const float sizes[] = {17, 12.5f, 20.25f, 16.5f};
    for (int step = 0; step < 6000; ++step) {
        const int action = static_cast<int>(random() % 100);
        if (action < 80 && kept.Count() < 3000) {
            kept.Load(kept.Count());
            fresh.Load(fresh.Count());
        } else if (action < 85) {
            const int target = static_cast<int>(random() % static_cast<unsigned>(kept.Count())) + 1;
            while (kept.Count() > target) {
                kept.Unload(kept.Count() - 1);
                fresh.Unload(fresh.Count() - 1);
            }
        } else if (action < 94) {
            extent += static_cast<float>(static_cast<int>(random() % 41) - 20);
        } else if (action < 98) {
            extent = static_cast<float>(random() % 1500);
        } else {
            const float size = sizes[random() % 4];
            kept(0).Width = fresh(0).Width = size;
            kept(0).Height = fresh(0).Height = size;
        }
        const std::string context = "step " + std::to_string(step) + " extent " + std::to_string(extent);
        const std::optional<FlowEnd> keptEnd = Flowed([&] { return flow.Run(kept, extent); });
        const std::optional<FlowEnd> freshEnd = Flowed([&] { return ReferenceFlow(fresh, extent, axis); });
        ASSERT_EQ(keptEnd.has_value(), freshEnd.has_value()) << context;
        if (keptEnd) {
            ASSERT_EQ(keptEnd->Across, freshEnd->Across) << context;
            ASSERT_EQ(keptEnd->LastAcrossSize, freshEnd->LastAcrossSize) << context;
        }
        ExpectSamePlaces(kept, fresh, context);
    }
}

TEST(StripFlowTest, KeptFlowMatchesAFreshFlowOverCountsSizesAndExtents) {
    CompareWithFreshFlow(BoxFlow::Rows, 872, 4);
    CompareWithFreshFlow(BoxFlow::Columns, 555, 5);
}

TEST(StripFlowTest, BoxesRecreatedBetweenRunsAreFlowedAgain) {
    auto boxes = Strip(60);
    StripFlow rows(BoxFlow::Rows);
    rows.Run(boxes, 872);
    while (boxes.Count() > 30) {
        boxes.Unload(boxes.Count() - 1);
    }
    while (boxes.Count() < 60) {
        boxes.Load(boxes.Count()); // copies of box 0, at its place
    }
    rows.Run(boxes, 872);
    EXPECT_EQ(boxes(59).Left, 1 + 16 * 20);
    EXPECT_EQ(boxes(59).Top, 21);
}

} // namespace quillax
