#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quillax {

// A two-dimensional byte array with lower and upper bounds per dimension, as the platform's arrays
// are: it may be unallocated (no bounds), and a fixed-size array refuses reallocation (error 10).
// Element (x, y) is stored at (x - lower1) + (y - lower2) * count1, so one value of y is one
// contiguous row of bytes. Every element access is checked (error 9).
class ByteArray2D {
public:
    ByteArray2D() = default;
    // A fixed-size array, allocated once with these bounds.
    static ByteArray2D Fixed(int32_t lower1, int32_t upper1, int32_t lower2, int32_t upper2);

    // Discards the content and allocates zero bytes with the new bounds.
    void ReDim(int32_t lower1, int32_t upper1, int32_t lower2, int32_t upper2);
    void ReDim(int32_t upper1, int32_t upper2) { ReDim(0, upper1, 0, upper2); }

    bool IsAllocated() const { return Allocated; }
    bool IsFixed() const { return FixedSize; }
    // dimension is 1 or 2; an unallocated array has no bounds (error 9).
    int32_t LBound(int dimension) const;
    int32_t UBound(int dimension) const;

    uint8_t& operator()(int32_t x, int32_t y) { return Bytes[Offset(x, y)]; }
    uint8_t operator()(int32_t x, int32_t y) const { return Bytes[Offset(x, y)]; }
    bool Contains(int32_t x, int32_t y) const;

    // Unchecked row access for bulk copies: the caller has tested the bounds.
    int64_t Count1() const { return Allocated ? static_cast<int64_t>(Upper1) - Lower1 + 1 : 0; }
    int64_t Count2() const { return Allocated ? static_cast<int64_t>(Upper2) - Lower2 + 1 : 0; }
    uint8_t* Data() { return Bytes.data(); }
    const uint8_t* Data() const { return Bytes.data(); }

private:
    size_t Offset(int32_t x, int32_t y) const;

    std::vector<uint8_t> Bytes;
    int32_t Lower1 = 0, Upper1 = -1, Lower2 = 0, Upper2 = -1;
    bool Allocated = false;
    bool FixedSize = false;
};

} // namespace quillax
