#include "platform/ByteArray1D.h"
#include "platform/ByteArray2D.h"
#include "platform/ByteView2D.h"
#include "support/ErrorOf.h"

#include <gtest/gtest.h>

namespace quillax {

TEST(ByteArray2D, UnallocatedHasNoBounds) {
    ByteArray2D array;
    EXPECT_FALSE(array.IsAllocated());
    EXPECT_EQ(ErrorOf([&] { array.UBound(1); }), ErrNo::SubscriptOutOfRange);
    EXPECT_EQ(ErrorOf([&] { array.LBound(2); }), ErrNo::SubscriptOutOfRange);
    EXPECT_EQ(ErrorOf([&] { array(0, 0); }), ErrNo::SubscriptOutOfRange);
}

TEST(ByteArray2D, BoundsAndCheckedElements) {
    ByteArray2D array;
    array.ReDim(-1, 4, 2, 3);
    EXPECT_EQ(array.LBound(1), -1);
    EXPECT_EQ(array.UBound(1), 4);
    EXPECT_EQ(array.LBound(2), 2);
    EXPECT_EQ(array.UBound(2), 3);
    EXPECT_EQ(ErrorOf([&] { array.UBound(3); }), ErrNo::SubscriptOutOfRange);
    array(-1, 2) = 7;
    array(4, 3) = 9;
    EXPECT_EQ(array.Data()[0], 7);
    EXPECT_EQ(array.Data()[11], 9);
    EXPECT_EQ(ErrorOf([&] { array(5, 2); }), ErrNo::SubscriptOutOfRange);
    EXPECT_EQ(ErrorOf([&] { array(0, 1); }), ErrNo::SubscriptOutOfRange);
    array.ReDim(1, 1);
    EXPECT_EQ(array(1, 1), 0) << "reallocation discards the content";
}

TEST(ByteArray2D, RefusesEmptyHugeAndFixedReallocation) {
    ByteArray2D array;
    EXPECT_EQ(ErrorOf([&] { array.ReDim(-1, 0); }), ErrNo::SubscriptOutOfRange);
    EXPECT_EQ(ErrorOf([&] { array.ReDim(65535, 65535); }), ErrNo::OutOfMemory);
    EXPECT_FALSE(array.IsAllocated());
    ByteArray2D fixed = ByteArray2D::Fixed(0, 2, 0, 1);
    fixed(2, 1) = 5;
    EXPECT_EQ(ErrorOf([&] { fixed.ReDim(8, 1); }), ErrNo::ArrayFixedOrLocked);
    EXPECT_EQ(fixed.UBound(1), 2);
    EXPECT_EQ(fixed(2, 1), 5);
}

TEST(ByteArray1D, BoundsFixedAndUnallocated) {
    ByteArray1D array;
    EXPECT_EQ(ErrorOf([&] { array.UBound(); }), ErrNo::SubscriptOutOfRange);
    array.ReDim(3, 5);
    EXPECT_EQ(array.LBound(), 3);
    EXPECT_EQ(array.UBound(), 5);
    EXPECT_EQ(ErrorOf([&] { array(2); }), ErrNo::SubscriptOutOfRange);
    ByteArray1D fixed = ByteArray1D::Fixed(0, 3);
    EXPECT_EQ(ErrorOf([&] { fixed.ReDim(9); }), ErrNo::ArrayFixedOrLocked);
    EXPECT_EQ(ErrorOf([&] { array.ReDim(0, -1); }), ErrNo::SubscriptOutOfRange);
}

TEST(ByteView2D, ViewsForeignMemoryThroughItsDescriptor) {
    uint8_t bytes[8] = {0, 1, 2, 3, 4, 5, 6, 7};
    ArrayDescriptor descriptor;
    descriptor.Dimensions = 2;
    descriptor.ElementSize = 1;
    descriptor.Data = bytes;
    descriptor.Bounds[0] = {2, 0}; // rows
    descriptor.Bounds[1] = {4, 0}; // bytes per row
    ByteView2D view;
    EXPECT_EQ(ErrorOf([&] { view(0, 0); }), ErrNo::SubscriptOutOfRange);
    view.Attach(&descriptor);
    EXPECT_EQ(view(3, 0), 3);
    EXPECT_EQ(view(1, 1), 5);
    EXPECT_EQ(ErrorOf([&] { view(4, 0); }), ErrNo::SubscriptOutOfRange);
    EXPECT_EQ(ErrorOf([&] { view(0, 2); }), ErrNo::SubscriptOutOfRange);
    view.Detach();
    EXPECT_EQ(view.Rows(), 0);
    EXPECT_EQ(ErrorOf([&] { view(0, 0); }), ErrNo::SubscriptOutOfRange);
}

} // namespace quillax
