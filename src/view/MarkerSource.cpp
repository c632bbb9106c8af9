#include "view/MarkerSource.h"

#include "view/PixelCanvas.h"

namespace quillax {

void MarkerSource::PaintNodes(PixelCanvas& canvas, int32_t first, int32_t last) const {
    for (int32_t n = first; n < last; ++n) {
        canvas.PaintNode(NodeAt(n));
    }
}

void MarkerSource::PaintJoints(PixelCanvas& canvas, int32_t first, int32_t last) const {
    for (int32_t j = first; j < last; ++j) {
        canvas.PaintJoint(JointAt(j));
    }
}

int64_t MarkerSource::PaintCost(bool joints, int32_t first, int32_t last, const PixelCanvas&) const {
    return (joints ? 3 : 2) * static_cast<int64_t>(last - first);
}

void MarkerSource::NodesNear(int32_t first, int32_t last, double, double, double, const Visit& visit) const {
    for (int32_t n = first; n < last; ++n) {
        visit(n);
    }
}

void MarkerSource::JointsNear(int32_t first, int32_t last, double, double, double, const Visit& visit) const {
    for (int32_t j = first; j < last; ++j) {
        visit(j);
    }
}

} // namespace quillax
