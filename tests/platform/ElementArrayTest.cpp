#include "platform/ElementArray.h"
#include "support/ErrorOf.h"

#include <gtest/gtest.h>

namespace quillax {

namespace {
struct Box {
    int Colour = 0;
    bool Visible = false;
};
} // namespace

TEST(ElementArray, StartsEmptyWithElementZero) {
    ElementArray<Box> boxes(Box{128, false});
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(boxes.IsEmpty());
    boxes(0).Visible = true;
    EXPECT_FALSE(boxes.IsEmpty());
}

TEST(ElementArray, NewElementsCopyElementZeroAndStartHidden) {
    ElementArray<Box> boxes(Box{128, true});
    boxes.Load(1);
    EXPECT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes(1).Colour, 128);
    EXPECT_FALSE(boxes(1).Visible);
}

TEST(ElementArray, RefusesHolesDuplicatesAndDesignElements) {
    ElementArray<Box> boxes(Box{});
    EXPECT_EQ(ErrorOf([&] { boxes.Load(0); }), ErrNo::ObjectAlreadyLoaded);
    EXPECT_EQ(ErrorOf([&] { boxes.Load(2); }), ErrNo::ControlArrayElementMissing);
    EXPECT_EQ(ErrorOf([&] { boxes.Unload(0); }), ErrNo::CantUnloadDesignControl);
    EXPECT_EQ(ErrorOf([&] { boxes.Item(1); }), ErrNo::ControlArrayElementMissing);
    EXPECT_EQ(ErrorOf([&] { boxes.Item(-1); }), ErrNo::ControlArrayElementMissing);
    boxes.Load(1);
    boxes.Load(2);
    EXPECT_EQ(ErrorOf([&] { boxes.Unload(1); }), ErrNo::InvalidCall);
    boxes.Unload(2);
    EXPECT_EQ(boxes.Count(), 2);
}

TEST(ElementArray, IndexStaysWithinSixteenBits) {
    ElementArray<Box> boxes(Box{});
    for (int32_t i = 1; i < 32767; ++i) {
        boxes.Load(i);
    }
    EXPECT_EQ(boxes.Count(), 32767);
    EXPECT_EQ(ErrorOf([&] { boxes.Load(32767); }), ErrNo::Overflow);
}

} // namespace quillax
