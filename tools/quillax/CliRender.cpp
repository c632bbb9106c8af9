#include "quillax/CliRender.h"

#include "quillax/ViewOptions.h"

namespace quillax {

namespace {
const char* const RenderAbout =
    "Draws the editor's drawing area for the object, pixel for pixel as the editor shows it after\n"
    "\"Load File\" and the view options, and writes it as a 24-bit BMP or as PNG, as --format or\n"
    "OUTPUT's extension says (BMP when neither does). FILE - is standard input, OUTPUT - standard\n"
    "output.\n";
}

int CliRender(const CliContext& context) {
    return RunViewCommand(context, "render", RenderAbout, {ExportFormat::Bmp, ExportFormat::Png});
}

} // namespace quillax
