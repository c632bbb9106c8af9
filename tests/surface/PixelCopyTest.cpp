#include "surface/PixelCopy.h"
#include "platform/Numeric.h"
#include "support/DesignedWalks.h"
#include "support/ErrorOf.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace quillax {

// The row copies must store exactly what the designed byte-by-byte walks store, up to the same
// error, for every shape of array and view: each case runs both on the same starting bytes.
namespace {
struct ViewMemory {
    ViewMemory(int32_t rowBytes, int32_t rows) : Bytes(static_cast<size_t>(rowBytes * rows)) {
        for (size_t i = 0; i < Bytes.size(); ++i) {
            Bytes[i] = static_cast<uint8_t>(200 + i % 50);
        }
        Descriptor.Dimensions = 2;
        Descriptor.ElementSize = 1;
        Descriptor.Data = Bytes.data();
        Descriptor.Bounds[0] = {static_cast<uint32_t>(rows), 0};
        Descriptor.Bounds[1] = {static_cast<uint32_t>(rowBytes), 0};
        View.Attach(&Descriptor);
    }
    std::vector<uint8_t> Bytes;
    ArrayDescriptor Descriptor;
    ByteView2D View;
};

ByteArray2D Source(int32_t lower1, int32_t upper1, int32_t lower2, int32_t upper2) {
    ByteArray2D array;
    array.ReDim(lower1, upper1, lower2, upper2);
    for (int64_t i = 0; i < array.Count1() * array.Count2(); ++i) {
        array.Data()[i] = static_cast<uint8_t>(1 + i % 97);
    }
    return array;
}
} // namespace

TEST(PixelCopy, StoresExactlyWhatTheWalkStores) {
    constexpr int32_t Width = 3, Height = 3, Columns = 3 * Width;
    int cases = 0;
    for (int32_t lower1 : {0, 1, -2}) {
        for (int32_t upper1 = lower1 - 1 + 1; upper1 <= Columns + 2; ++upper1) {
            for (auto [lower2, upper2] : {std::pair{0, 2}, {0, 1}, {0, 4}, {1, 3}, {-1, 2}}) {
                for (auto [rowBytes, rows] : {std::pair{12, 3}, {9, 3}, {8, 3}, {12, 2}}) {
                    const ByteArray2D source = Source(lower1, upper1, lower2, upper2);
                    ViewMemory fast(rowBytes, rows), walk(rowBytes, rows);
                    const int32_t fastError =
                        ErrorOf([&] { StoreArrayToView(source, fast.View, Columns, Height); });
                    const int32_t walkError = ErrorOf([&] { WalkStore(source, walk.View, Columns, Height); });
                    ASSERT_EQ(fastError, walkError)
                        << lower1 << " " << upper1 << " " << lower2 << " " << upper2;
                    ASSERT_EQ(fast.Bytes, walk.Bytes)
                        << lower1 << " " << upper1 << " " << lower2 << " " << upper2;
                    ++cases;
                }
            }
        }
    }
    EXPECT_GT(cases, 500);
}

TEST(PixelCopy, ReadsExactlyWhatTheWalkReads) {
    for (auto [rowBytes, rows] : {std::pair{12, 3}, {9, 3}, {6, 3}, {12, 2}, {0, 0}, {4, 1}}) {
        ViewMemory memory(rowBytes, rows);
        ByteArray2D fast, walk;
        fast.ReDim(8, 2);
        walk.ReDim(8, 2);
        EXPECT_EQ(ErrorOf([&] { CopyViewToArray(memory.View, fast, 9, 3); }),
                  ErrorOf([&] { WalkCopy(memory.View, walk, 9, 3); }));
        EXPECT_EQ(std::vector<uint8_t>(fast.Data(), fast.Data() + 27),
                  std::vector<uint8_t>(walk.Data(), walk.Data() + 27));
        ByteArray1D fastColumns, walkColumns;
        fastColumns.ReDim(26);
        walkColumns.ReDim(26);
        EXPECT_EQ(ErrorOf([&] { CopyViewToColumns(memory.View, fastColumns, 9, 3); }),
                  ErrorOf([&] { WalkColumns(memory.View, walkColumns, 9, 3); }));
        EXPECT_EQ(std::vector<uint8_t>(fastColumns.Data(), fastColumns.Data() + 27),
                  std::vector<uint8_t>(walkColumns.Data(), walkColumns.Data() + 27));
    }
}

TEST(PixelCopy, FillsColumnsExactlyAsTheWalkFills) {
    constexpr int32_t Largest = std::numeric_limits<int32_t>::max();
    for (auto [lower, upper] : {std::pair{0, 5},
                                {0, 11},
                                {0, 30},
                                {-3, 4},
                                {-5, -1},
                                {-5, -3},
                                {1, 8},
                                {0, 0},
                                {Largest - 2, Largest}}) {
        ByteArray1D source;
        source.ReDim(lower, upper);
        for (int64_t i = 0; i < source.Count(); ++i) {
            source.Data()[i] = static_cast<uint8_t>(10 + i);
        }
        ByteArray2D fast, walk;
        fast.ReDim(5, 1);
        walk.ReDim(5, 1);
        EXPECT_EQ(ErrorOf([&] { FillFromColumns(source, fast); }), ErrorOf([&] { WalkFill(source, walk); }));
        EXPECT_EQ(std::vector<uint8_t>(fast.Data(), fast.Data() + 12),
                  std::vector<uint8_t>(walk.Data(), walk.Data() + 12))
            << lower << " " << upper;
    }
}

} // namespace quillax
