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

void NodePool::DropLast() {
    MarkerPool::DropLast();
    if (Positions.size() > static_cast<size_t>(Count())) {
        Positions.pop_back();
        Bounds.resize(static_cast<size_t>((Count() + RunLength - 1) / RunLength));
    }
}

} // namespace quillax
