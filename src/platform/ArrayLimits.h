#pragma once

#include <cstdint>
#include <limits>

namespace quillax {

// The largest element count an array or bitmap may hold: the platform's arrays count in 32 bits.
inline constexpr int64_t MaxArrayElements = std::numeric_limits<int32_t>::max();

// Element count of lower..upper; raises subscript out of range when upper < lower.
int64_t BoundCount(int32_t lower, int32_t upper);

} // namespace quillax
