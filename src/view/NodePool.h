#pragma once

#include "view/MarkerPool.h"
#include "view/PackedPoint.h"
#include "view/ViewTransform.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace quillax {

// What the positions of a run of markers span, so that painting can pass over a run wholly outside
// its clip and write one wholly inside without a test per pixel.
struct PackedBounds {
    int32_t Left = PackedPoint::Most;
    int32_t Top = PackedPoint::Most;
    int32_t Right = PackedPoint::Least;
    int32_t Bottom = PackedPoint::Least;
    // Every position of the run is exact.
    bool Exact = true;
    // How many of the run's markers lay more than a pixel from the one before when it was last placed:
    // what painting its segments costs hangs on it. All of them until then.
    int32_t Apart = INT32_MAX;

    void Include(PackedPoint point) {
        if (!point.IsExact()) {
            Exact = false;
            return;
        }
        Left = std::min(Left, point.ExactX());
        Right = std::max(Right, point.ExactX());
        Top = std::min(Top, point.ExactY());
        Bottom = std::max(Bottom, point.ExactY());
    }
};

// The point markers: the pool, the centre of each marker as it was last placed, packed, the bounds
// of each run of RunLength markers, and the view they were placed with, which gives a far position
// again from the model.
class NodePool : private MarkerPool {
public:
    static constexpr int32_t RunLength = 256;

    using MarkerPool::CheckExists;
    using MarkerPool::Count;
    using MarkerPool::Exists;
    using MarkerPool::IsEmpty;
    using MarkerPool::IsShown;

    // Shows the next marker, centred on `at`; its index.
    int32_t Add(PackedPoint at);
    // Shows `count` more markers, placed nowhere yet: far, until a placement.
    void Grow(int64_t count);
    void DropLast();
    void Reserve(size_t count) { Positions.reserve(count); }

    PackedPoint Position(int32_t index) const { return Positions[static_cast<size_t>(index)]; }
    const PackedPoint* PositionData() const { return Positions.data(); }
    PackedPoint* PositionData() { return Positions.data(); }

    // Runs: markers run x RunLength on; the bounds of each may be wider than its positions, never
    // narrower.
    int32_t RunCount() const { return static_cast<int32_t>(Bounds.size()); }
    const PackedBounds& RunBounds(int32_t run) const { return Bounds[static_cast<size_t>(run)]; }
    void SetRunBounds(int32_t run, const PackedBounds& bounds) { Bounds[static_cast<size_t>(run)] = bounds; }

    ViewTransform PlacedView;

private:
    std::vector<PackedPoint> Positions = std::vector<PackedPoint>(1);
    std::vector<PackedBounds> Bounds = std::vector<PackedBounds>(1);
};

} // namespace quillax
