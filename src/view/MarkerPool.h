#pragma once

#include "ElementArray.h"

#include <cstdint>

// The pool of one kind of marker inside the drawing area: the control-array pattern with 32-bit
// indices, so that objects with more than 32,767 points can still be shown.
template <typename T> using MarkerPool = ElementArray<T, int32_t>;

// The next marker to fill: element 0 of an empty pool, otherwise a new element at index Count().
template <typename T> T& NextMarker(MarkerPool<T>& pool) {
    if (pool.IsEmpty()) {
        return pool(0);
    }
    const int32_t index = pool.Count();
    pool.Load(index);
    return pool(index);
}

// Destroys the last marker, or hides element 0 when it is the only one.
template <typename T> void DropLastMarker(MarkerPool<T>& pool) {
    if (pool.Count() > 1) {
        pool.Unload(pool.Count() - 1);
    } else {
        pool(0).Visible = false;
    }
}
