#pragma once

#include "platform/ByteArray1D.h"
#include "platform/ByteArray2D.h"
#include "platform/Numeric.h"

#include <cstdint>

namespace quillax {

// The pixel arrays' designed walks, one checked byte at a time, byte columns x outer and scan lines
// y inner, over any image addressed as image(x, y): the reference that the tests and the fuzz
// targets hold the surface's row copies to. An index outside an array raises its error where the
// walk reaches it, with the bytes before it stored.

// Pixels whose first byte lies beyond source's first upper bound become black; columns is 3 x width.
template <typename Image>
void WalkStore(const ByteArray2D& source, Image& image, int32_t columns, int32_t rows) {
    for (int32_t x = 0; x <= columns - 1; x += 3) {
        for (int32_t y = 0; y <= rows - 1; ++y) {
            if (source.UBound(1) > x - 1) {
                image(x + 2, y) = source(x + 2, y);
                image(x + 1, y) = source(x + 1, y);
                image(x, y) = source(x, y);
            } else {
                image(x + 2, y) = 0;
                image(x + 1, y) = 0;
                image(x, y) = 0;
            }
        }
    }
}

template <typename Image> void WalkCopy(Image& image, ByteArray2D& target, int32_t columns, int32_t rows) {
    for (int32_t x = 0; x <= columns - 1; ++x) {
        for (int32_t y = 0; y <= rows - 1; ++y) {
            target(x, y) = image(x, y);
        }
    }
}

template <typename Image> void WalkColumns(Image& image, ByteArray1D& target, int32_t columns, int32_t rows) {
    int32_t i = 0;
    for (int32_t x = 0; x <= columns - 1; ++x) {
        for (int32_t y = 0; y <= rows - 1; ++y) {
            target(i++) = image(x, y);
        }
    }
}

// Fills target column by column from source until source is used up; the rest stays as it was.
inline void WalkFill(const ByteArray1D& source, ByteArray2D& target) {
    int32_t i = 0;
    for (int32_t x = 0; x <= target.UBound(1); ++x) {
        for (int32_t y = 0; y <= target.UBound(2); ++y) {
            if (i != ToInt32(source.UBound() + 1.0)) {
                target(x, y) = source(i);
                ++i;
            }
        }
    }
}

} // namespace quillax
