#pragma once

#include "view/JointElement.h"
#include "view/MarkerSource.h"
#include "view/NodeElement.h"

#include <cstdint>
#include <vector>

namespace quillax {

// Markers given element by element with any properties, for the painter and the hit test, whose
// contract is over any source.
struct ElementMarkers final : MarkerSource {
    int32_t NodeCount() const override { return static_cast<int32_t>(Nodes.size()); }
    int32_t JointCount() const override { return static_cast<int32_t>(Joints.size()); }
    NodeElement NodeAt(int32_t index) const override { return Nodes[static_cast<size_t>(index)]; }
    JointElement JointAt(int32_t index) const override { return Joints[static_cast<size_t>(index)]; }

    std::vector<NodeElement> Nodes;
    std::vector<JointElement> Joints;
};

} // namespace quillax
