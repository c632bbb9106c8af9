#pragma once

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace quillax {

// A marker's centre in whole drawing-area pixels, packed into two 16-bit codes: a position from
// PackedPoint::Least to PackedPoint::Most is held exactly, with room beyond both ends of the largest
// drawing area for every marker and segment end that can touch it. A position outside that range, or
// none (a NaN), is marked far: its exact value is worked out again from the model when it is needed.
struct PackedPoint {
    static constexpr int32_t Bias = 16384;
    static constexpr uint16_t FarCode = 0;
    static constexpr int32_t Least = 1 - Bias;
    static constexpr int32_t Most = 65535 - Bias;

    uint16_t X = FarCode;
    uint16_t Y = FarCode;

    bool IsExact() const { return X != FarCode && Y != FarCode; }
    // Meaningful only for an exact point.
    int32_t ExactX() const { return X - Bias; }
    int32_t ExactY() const { return Y - Bias; }
    bool operator==(const PackedPoint&) const = default;
};

// Two exact positions at most one pixel apart each way: a thin segment between them has the pixels of
// its ends and no other.
inline bool Touching(PackedPoint from, PackedPoint to) {
    return from.IsExact() && to.IsExact() && std::abs(from.ExactX() - to.ExactX()) <= 1 &&
           std::abs(from.ExactY() - to.ExactY()) <= 1;
}

// Written so that a NaN fails the test.
inline uint16_t PackedCode(double whole) {
    return whole >= PackedPoint::Least && whole <= PackedPoint::Most
               ? static_cast<uint16_t>(static_cast<int32_t>(whole) + PackedPoint::Bias)
               : PackedPoint::FarCode;
}

// A position in whole pixels; anything else (a fraction, a NaN) is far.
inline PackedPoint Packed(double x, double y) {
    if (x != std::floor(x) || y != std::floor(y)) {
        return {};
    }
    const PackedPoint point{PackedCode(x), PackedCode(y)};
    return point.IsExact() ? point : PackedPoint{};
}

} // namespace quillax
