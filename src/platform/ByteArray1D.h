#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quillax {

// A one-dimensional byte array with a lower and an upper bound, unallocated until first sized; a
// fixed-size array refuses reallocation (error 10). Element access is checked (error 9).
class ByteArray1D {
public:
    ByteArray1D() = default;
    static ByteArray1D Fixed(int32_t lower, int32_t upper);

    // Discards the content and allocates zero bytes with the new bounds.
    void ReDim(int32_t lower, int32_t upper);
    void ReDim(int32_t upper) { ReDim(0, upper); }

    bool IsAllocated() const { return Allocated; }
    bool IsFixed() const { return FixedSize; }
    int32_t LBound() const;
    int32_t UBound() const;

    uint8_t& operator()(int32_t index) { return Bytes[Offset(index)]; }
    uint8_t operator()(int32_t index) const { return Bytes[Offset(index)]; }

    // Unchecked access for bulk copies: element LBound() is at Data()[0].
    int64_t Count() const { return static_cast<int64_t>(Bytes.size()); }
    uint8_t* Data() { return Bytes.data(); }
    const uint8_t* Data() const { return Bytes.data(); }

private:
    size_t Offset(int32_t index) const;

    std::vector<uint8_t> Bytes;
    int32_t Lower = 0, Upper = -1;
    bool Allocated = false;
    bool FixedSize = false;
};

} // namespace quillax
