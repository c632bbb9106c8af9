#pragma once

#include "platform/ElementArray.h"
#include "platform/RuntimeError.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace quillax {

// The control-array pattern of a pool of markers, with 32-bit indices so that objects with more than
// 32,767 points can still be shown. The pool keeps no properties of its elements: their looks are
// derived from the document when they are painted. Element 0 belongs to the design and always
// exists; it is hidden only while the pool is empty, and every other element is shown.
class MarkerPool {
public:
    int32_t Count() const { return Elements; }
    bool Exists(int64_t index) const { return index >= 0 && index < Elements; }
    // Empty: only element 0, and it is hidden.
    bool IsEmpty() const { return Elements == 1 && Empty; }
    bool IsShown(int64_t index) const { return Exists(index) && (index != 0 || !Empty); }

    void CheckExists(int64_t index) const { CheckElementExists(index, Elements); }

    void Load(int64_t index) {
        CheckElementLoad(index, Elements, std::numeric_limits<int32_t>::max());
        ++Elements;
    }

    void Unload(int64_t index) {
        CheckElementUnload(index, Elements);
        --Elements;
    }

    // Shows the next element: element 0 of an empty pool, otherwise a new one at Count(). Its index.
    int32_t Add() {
        if (IsEmpty()) {
            Empty = false;
            return 0;
        }
        Load(Count());
        return Count() - 1;
    }

    // Shows `count` more elements, as that many calls of Add would.
    void Grow(int64_t count) {
        if (count > 0 && IsEmpty()) {
            Empty = false;
            --count;
        }
        if (count > std::numeric_limits<int32_t>::max() - static_cast<int64_t>(Elements)) {
            RaiseError(ErrNo::Overflow);
        }
        Elements += static_cast<int32_t>(std::max<int64_t>(count, 0));
    }

    // Destroys the last element, or hides element 0 when it is the only one.
    void DropLast() {
        if (Count() > 1) {
            Unload(Count() - 1);
        } else {
            Empty = true;
        }
    }

private:
    int32_t Elements = 1;
    // Element 0 is hidden.
    bool Empty = true;
};

// The segments: a pool and nothing more, each segment joining two point markers.
using JointPool = MarkerPool;

} // namespace quillax
