#pragma once

#include "quillax/CliCommand.h"
#include "view/MeshScene.h"

#include <string>

namespace quillax {

// quillax svg FILE.lin OUT.svg [view options]
int CliSvg(const CliContext& context);

// The scene as an SVG document: the background, the grid's lines where its tiles put them, the
// segments, then the point markers, in the colours and sizes the drawing area paints.
std::string SceneSvg(const MeshScene& scene, int32_t width, int32_t height);

} // namespace quillax
