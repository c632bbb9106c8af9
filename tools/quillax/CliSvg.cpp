#include "quillax/CliSvg.h"

#include "quillax/ViewOptions.h"

namespace quillax {

namespace {
const char* const SvgAbout =
    "Writes the editor's drawing area for the object as an SVG document: the grid, then a group per\n"
    "mesh (id mesh-0, ...) with its segments and markers, only those that reach into the area; every\n"
    "marker stays over every segment, as the editor draws them. With --model, the object itself in\n"
    "model units instead. FILE - is standard input, OUTPUT - standard output.\n";
}

int CliSvg(const CliContext& context) {
    return RunViewCommand(context, "svg", SvgAbout, {ExportFormat::Svg});
}

} // namespace quillax
