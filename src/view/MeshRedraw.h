#pragma once

#include "objects/modObjects.h"
#include "view/NodePool.h"
#include "view/ViewTransform.h"

namespace quillax {

// Places Node(n) on the n-th point of the object, counting all meshes in order, as `view` maps it,
// for every marker the pool holds (a load may still be filling it, and a resize can redraw in the
// middle of that), and keeps the view. Nothing is created, removed, shown or hidden, and no look is
// stored: a marker's colour and size, and every segment, are derived from the document and these
// positions when they are painted.
void PlaceMarkers(NodePool& nodes, const ObjectFile& object, const ViewTransform& view);

} // namespace quillax
