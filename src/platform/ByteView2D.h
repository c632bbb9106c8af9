#pragma once

#include <cstdint>

namespace quillax {

// One bound of an automation-array descriptor: a count followed by a lower bound.
struct ArrayBound {
    uint32_t Elements = 0;
    int32_t LowerBound = 0;
};

// The platform's automation-array descriptor for a two-dimensional byte array laid over memory it
// does not own. The bounds are stored last dimension first, as that form requires.
struct ArrayDescriptor {
    uint16_t Dimensions = 0;
    uint16_t Features = 0;
    uint32_t ElementSize = 0;
    uint32_t Locks = 0;
    uint8_t* Data = nullptr;
    ArrayBound Bounds[2];
};

// A non-owning two-dimensional byte view through a descriptor: View(x, y) is byte x of row y.
// A detached view refers to nothing, and every access to it is a subscript error; it never frees.
class ByteView2D {
public:
    void Attach(const ArrayDescriptor* descriptor) { Descriptor = descriptor; }
    void Detach() { Descriptor = nullptr; }
    bool IsAttached() const { return Descriptor != nullptr && Descriptor->Data != nullptr; }

    uint8_t& operator()(int32_t x, int32_t y) const;
    bool Contains(int32_t x, int32_t y) const;
    // Bytes per row and row count; 0 when detached.
    int64_t RowBytes() const;
    int64_t Rows() const;
    // Unchecked row start for bulk copies: the caller has tested the bounds.
    uint8_t* Row(int64_t y) const { return Descriptor->Data + y * RowBytes(); }

private:
    // Where byte (x, y) lies from Data; -1 when outside the bounds or detached.
    int64_t Offset(int32_t x, int32_t y) const;

    const ArrayDescriptor* Descriptor = nullptr;
};

} // namespace quillax
