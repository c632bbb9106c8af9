#pragma once

#include "objects/modObjects.h"
#include "view/JointElement.h"
#include "view/NodeElement.h"
#include "view/ViewTransform.h"

#include <cstdint>

namespace quillax {

// Places and colours Node(n) for the n-th point and Joint(j) for the j-th line of the object, counting
// all meshes in order; a mesh's first point has no segment, so none joins two meshes. The chosen mesh
// gets its full colour, the others a quarter of it; selected points and lines are white and larger.
// `chosen` is the chosen mesh (-1 when none).
// None is created, removed, shown or hidden: while a load is still filling the pools (a resize can
// redraw in the middle of it), markers that do not exist yet are left for the redraw that ends the load.
void PlaceMarkers(NodePool& nodes, JointPool& joints, const ObjectFile& object,
                  const ObjectPlacement& placement, const ViewTransform& view, int32_t chosen);

} // namespace quillax
