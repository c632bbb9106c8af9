#pragma once

#include "view/JointElement.h"
#include "view/NodeElement.h"

#include <cstdint>
#include <functional>

namespace quillax {

class PixelCanvas;

// Markers as painting, hit testing and export see them: how many each pool holds and each
// element's properties. Painting asks for runs of elements, which a source may paint faster than
// one element at a time, with the same pixels.
class MarkerSource {
public:
    virtual ~MarkerSource() = default;

    virtual int32_t NodeCount() const = 0;
    virtual int32_t JointCount() const = 0;
    virtual NodeElement NodeAt(int32_t index) const = 0;
    virtual JointElement JointAt(int32_t index) const = 0;

    // Elements first .. last - 1, which the pool holds.
    virtual void PaintNodes(PixelCanvas& canvas, int32_t first, int32_t last) const;
    virtual void PaintJoints(PixelCanvas& canvas, int32_t first, int32_t last) const;

    // What painting elements first .. last - 1 of a pool on `canvas` costs, in units of the source's
    // own, for sharing painting out between threads. By default a segment costs one and a half markers.
    virtual int64_t PaintCost(bool joints, int32_t first, int32_t last, const PixelCanvas& canvas) const;

    // `visit` for each element of first .. last - 1, in order, that may lie within `reach` pixels of
    // (x, y): every one, unless the source can rule some out without making them.
    using Visit = std::function<void(int32_t index)>;
    virtual void NodesNear(int32_t first, int32_t last, double x, double y, double reach,
                           const Visit& visit) const;
    virtual void JointsNear(int32_t first, int32_t last, double x, double y, double reach,
                            const Visit& visit) const;
};

} // namespace quillax
