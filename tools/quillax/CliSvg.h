#pragma once

#include "quillax/CliCommand.h"
#include "view/MeshScene.h"

#include <QIODevice>

#include <cstdint>

namespace quillax {

// quillax svg FILE.lin OUT.svg [view options]
int CliSvg(const CliContext& context);

// Writes the scene as an SVG document, element by element: the background, the grid's lines where its
// tiles put them, the segments, then the point markers, in the colours and sizes the drawing area paints.
void WriteSceneSvg(const MeshScene& scene, int32_t width, int32_t height, QIODevice& out);

} // namespace quillax
