#include "quillax/CliRender.h"

#include "quillax/ViewOptions.h"

#include <QImage>
#include <QImageWriter>

#include <algorithm>
#include <cctype>

namespace quillax {

namespace {
const char* const RenderHelp =
    "usage: quillax render FILE.lin OUT.bmp [view options]\n"
    "Draws the editor's drawing area for the object, pixel for pixel, and writes it as a 24-bit\n"
    "bitmap (OUT.png: as PNG).\n";

// The name is bytes: only its last four are looked at.
bool IsPng(const std::string& fileName) {
    const std::string png = ".png";
    return fileName.size() >= png.size() &&
           std::equal(png.begin(), png.end(), fileName.end() - static_cast<ptrdiff_t>(png.size()),
                      [](char wanted, char given) {
                          return wanted == std::tolower(static_cast<unsigned char>(given));
                      });
}

// Only a picture needs its background drawn.
int WritePicture(const ViewOptions& options, MeshScene& scene, const CliContext& context) {
    scene.DrawBackground(QSize(options.Width, options.Height));
    // Opaque 32-bit pixels: Qt's bitmap writer then writes 24 bits a pixel.
    const QImage picture = scene.Picture().convertToFormat(QImage::Format_RGB32);
    return WriteOutput(options.Output, "render", context, [&](QIODevice& file) {
        QImageWriter writer(&file, IsPng(options.Output) ? "png" : "bmp");
        return writer.write(picture) ? std::string() : writer.errorString().toStdString();
    });
}
} // namespace

int CliRender(const CliContext& context) {
    return RunViewCommand(context, "render", RenderHelp, WritePicture);
}

} // namespace quillax
