#include "browse/StripGeometry.h"
#include "support/StripTestBoxes.h"

#include <gtest/gtest.h>

namespace quillax {

namespace {
// (x, y) of the middle of a box.
double MidX(const BoxElement& box) {
    return box.Left + box.Width / 2;
}
double MidY(const BoxElement& box) {
    return box.Top + box.Height / 2;
}
} // namespace

TEST(StripGeometryTest, FindsTheBoxUnderAPointOfARowFlow) {
    // Rows of 4: boxes 0-3 at y 1, 4-7 at y 21, 8-9 at y 41.
    const auto strip = FlowedStrip(10, BoxFlow::Rows, 4);
    EXPECT_EQ(BoxAt(strip, BoxFlow::Rows, 30, 30), 5);
    EXPECT_EQ(BoxAt(strip, BoxFlow::Rows, 1, 1), 0);
    EXPECT_EQ(BoxAt(strip, BoxFlow::Rows, 17.9, 17.9), 0);
    EXPECT_EQ(BoxAt(strip, BoxFlow::Rows, 18, 10), -1) << "right edge is outside";
    EXPECT_EQ(BoxAt(strip, BoxFlow::Rows, 19, 10), -1) << "gap between boxes";
    EXPECT_EQ(BoxAt(strip, BoxFlow::Rows, 10, 19), -1) << "gap between rows";
    EXPECT_EQ(BoxAt(strip, BoxFlow::Rows, 0.5, 10), -1);
    EXPECT_EQ(BoxAt(strip, BoxFlow::Rows, 10, 0.5), -1);
    EXPECT_EQ(BoxAt(strip, BoxFlow::Rows, 30, 50), 9);
    EXPECT_EQ(BoxAt(strip, BoxFlow::Rows, 50, 50), -1) << "past the last box of a short row";
    EXPECT_EQ(BoxAt(strip, BoxFlow::Rows, 10, 70), -1) << "below the last row";
}

TEST(StripGeometryTest, FindsTheBoxUnderAPointOfAColumnFlow) {
    const auto strip = FlowedStrip(10, BoxFlow::Columns, 4);
    EXPECT_EQ(BoxAt(strip, BoxFlow::Columns, 30, 50), 6);
    EXPECT_EQ(BoxAt(strip, BoxFlow::Columns, 50, 30), 9);
    EXPECT_EQ(BoxAt(strip, BoxFlow::Columns, 50, 50), -1);
    EXPECT_EQ(BoxAt(strip, BoxFlow::Columns, 19, 30), -1);
}

TEST(StripGeometryTest, HitsEveryBoxOfAFullStripAndNothingHidden) {
    const auto rows = FlowedStrip(32767, BoxFlow::Rows, 43);
    const auto columns = FlowedStrip(32767, BoxFlow::Columns, 26);
    for (int16_t i = 0; i < 32767; i += 7) {
        ASSERT_EQ(BoxAt(rows, BoxFlow::Rows, MidX(rows(i)), MidY(rows(i))), i);
        ASSERT_EQ(BoxAt(columns, BoxFlow::Columns, MidX(columns(i)), MidY(columns(i))), i);
    }
    EXPECT_EQ(BoxAt(rows, BoxFlow::Rows, MidX(rows(32766)), MidY(rows(32766))), 32766);

    auto empty = FlowedStrip(1, BoxFlow::Rows, 4);
    empty(0).Visible = false;
    EXPECT_EQ(BoxAt(empty, BoxFlow::Rows, 5, 5), -1);
}

TEST(StripGeometryTest, OverlappingBoxesAnswerTheOnePaintedOnTop) {
    ElementArray<BoxElement> strip(BoxElement{1, 1, 17, 17, true});
    for (int k = 1; k < 5; ++k) {
        strip.Load(k);
        strip(k).Visible = true;
    }
    EXPECT_EQ(BoxAt(strip, BoxFlow::Rows, 5, 5), 4);
    EXPECT_EQ(BoxAt(strip, BoxFlow::Columns, 5, 5), 4);
}

TEST(StripGeometryTest, FindsTheBoxesOfTheLinesCrossingABand) {
    const auto strip = FlowedStrip(10, BoxFlow::Rows, 4);
    const BoxSpan row1 = BoxesAcross(strip, BoxFlow::Rows, 25, 30);
    EXPECT_EQ(row1.First, 4);
    EXPECT_EQ(row1.Last, 7);
    const BoxSpan gap = BoxesAcross(strip, BoxFlow::Rows, 18, 21);
    EXPECT_GT(gap.First, gap.Last);
    const BoxSpan edges = BoxesAcross(strip, BoxFlow::Rows, 17.5, 21.5);
    EXPECT_EQ(edges.First, 0);
    EXPECT_EQ(edges.Last, 7);
    const BoxSpan all = BoxesAcross(strip, BoxFlow::Rows, -100, 1000);
    EXPECT_EQ(all.First, 0);
    EXPECT_EQ(all.Last, 9);
    const BoxSpan columns = BoxesAcross(FlowedStrip(10, BoxFlow::Columns, 4), BoxFlow::Columns, 41, 42);
    EXPECT_EQ(columns.First, 8);
    EXPECT_EQ(columns.Last, 9);
}

TEST(StripGeometryTest, StepsAlongAndAcrossTheFlow) {
    const auto rows = FlowedStrip(10, BoxFlow::Rows, 4);
    EXPECT_EQ(NeighbourBox(rows, BoxFlow::Rows, 3, BoxStep::Right), 4);
    EXPECT_EQ(NeighbourBox(rows, BoxFlow::Rows, 9, BoxStep::Right), 9);
    EXPECT_EQ(NeighbourBox(rows, BoxFlow::Rows, 0, BoxStep::Left), 0);
    EXPECT_EQ(NeighbourBox(rows, BoxFlow::Rows, 1, BoxStep::Down), 5);
    EXPECT_EQ(NeighbourBox(rows, BoxFlow::Rows, 7, BoxStep::Down), 9) << "the short last row";
    EXPECT_EQ(NeighbourBox(rows, BoxFlow::Rows, 9, BoxStep::Up), 5);
    EXPECT_EQ(NeighbourBox(rows, BoxFlow::Rows, 2, BoxStep::Up), 2);
    EXPECT_EQ(NeighbourBox(rows, BoxFlow::Rows, 8, BoxStep::Down), 8);

    const auto columns = FlowedStrip(10, BoxFlow::Columns, 4);
    EXPECT_EQ(NeighbourBox(columns, BoxFlow::Columns, 3, BoxStep::Down), 4);
    EXPECT_EQ(NeighbourBox(columns, BoxFlow::Columns, 4, BoxStep::Up), 3);
    EXPECT_EQ(NeighbourBox(columns, BoxFlow::Columns, 2, BoxStep::Right), 6);
    EXPECT_EQ(NeighbourBox(columns, BoxFlow::Columns, 6, BoxStep::Left), 2);
    EXPECT_EQ(NeighbourBox(columns, BoxFlow::Columns, 1, BoxStep::Left), 1);
}

TEST(StripGeometryTest, AStepFromAFocusPastTheEndStartsAtTheLastBox) {
    const auto rows = FlowedStrip(3, BoxFlow::Rows, 4);
    EXPECT_EQ(NeighbourBox(rows, BoxFlow::Rows, 10, BoxStep::Left), 1);
    const auto single = FlowedStrip(1, BoxFlow::Rows, 4);
    for (const BoxStep step : {BoxStep::Left, BoxStep::Right, BoxStep::Up, BoxStep::Down}) {
        EXPECT_EQ(NeighbourBox(single, BoxFlow::Rows, 0, step), 0);
    }
}

} // namespace quillax
