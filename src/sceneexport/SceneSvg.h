#pragma once

#include "view/MeshScene.h"

#include <QIODevice>

namespace quillax {

// Writes the scene as an SVG document the size of its drawing area, element by element, never held
// in memory: the black background, the grid's lines where its tiles put them (group "grid"), then
// one group per mesh ("mesh-0", ...) holding its segments ("mesh-0-segments") and point markers
// ("mesh-0-markers") in the colours and sizes the drawing area paints. The drawing area paints the other
// meshes' segments, their markers, then the chosen mesh and its marked lines and points; a last group
// ("markers") shows the other meshes' markers and the chosen mesh again, then its marks (group "marks"),
// so that the SVG stacks them the same way. Segments and markers wholly outside the area are left out,
// as is every mesh the document hides, and no pixel of the view is made.
void WriteSceneSvg(const MeshScene& scene, QIODevice& out);

} // namespace quillax
