#pragma once

#include "view/MarkerSource.h"
#include "view/MarkerStacking.h"

class QPainter;

namespace quillax {

// Paints the visible segments and point markers onto any painter, stacked as PaintOrderOf tells
// (with nothing chosen: every segment, then every marker): the drawing area and off-screen pictures
// share it. On a 32-bit image painted as it is (no scaling, full opacity, a rectangular clip at most)
// the pixels are written directly; anything else gets the same pixels drawn into a transparent image
// that the painter then draws. The markers of `leftOut` (ascending: hidden meshes) are not painted.
void PaintMarkers(QPainter& painter, const MarkerSource& markers, const MarkerStacking& stacking = {},
                  const std::vector<MarkerRange>& leftOut = {});

} // namespace quillax
