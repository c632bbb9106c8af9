#pragma once

#include "platform/ElementArray.h"

#include <cstdint>

namespace quillax {

// The pool of one kind of marker inside the drawing area: the control-array pattern with 32-bit
// indices, so that objects with more than 32,767 points can still be shown.
template <typename T> using MarkerPool = ElementArray<T, int32_t>;

} // namespace quillax
