#include "view/NodePool.h"

namespace quillax {

int32_t NodePool::Add(PackedPoint at) {
    const int32_t index = MarkerPool::Add();
    if (index > 0) {
        Positions.push_back(at);
    } else {
        Positions[0] = at;
        Bounds.assign(1, PackedBounds{});
    }
    const auto run = static_cast<size_t>(index / RunLength);
    if (run == Bounds.size()) {
        Bounds.emplace_back();
    }
    Bounds[run].Include(at);
    return index;
}

void NodePool::Grow(int64_t count) {
    const bool wasEmpty = IsEmpty();
    MarkerPool::Grow(count);
    if (wasEmpty && !IsEmpty()) {
        Positions[0] = {};
    }
    Positions.resize(static_cast<size_t>(Count()));
    const size_t runs = static_cast<size_t>((Count() + RunLength - 1) / RunLength);
    Bounds.resize(runs);
    // Every run with a new marker holds a far one now.
    const int32_t firstNew = wasEmpty ? 0 : Count() - static_cast<int32_t>(count);
    for (size_t run = static_cast<size_t>(firstNew / RunLength); count > 0 && run < runs; ++run) {
        Bounds[run].Exact = false;
    }
}

void NodePool::DropLast() {
    MarkerPool::DropLast();
    if (Positions.size() > static_cast<size_t>(Count())) {
        Positions.pop_back();
        Bounds.resize(static_cast<size_t>((Count() + RunLength - 1) / RunLength));
    }
}

} // namespace quillax
