#include "quillax/CliRender.h"

#include "platform/ByteArray2D.h"
#include "quillax/CliMessageBox.h"
#include "quillax/ViewOptions.h"
#include "surface/clsOffScreenDC.h"

#include <QImage>
#include <QString>

namespace quillax {

namespace {
const char* const RenderHelp =
    "usage: quillax render FILE.lin OUT.bmp [view options]\n"
    "Draws the editor's drawing area for the object, pixel for pixel, and writes it as a 24-bit\n"
    "bitmap (OUT.png: as PNG).\n";

bool IsPng(const std::string& fileName) {
    return QString::fromStdString(fileName).endsWith(".png", Qt::CaseInsensitive);
}

// The picture through the off-screen surface's own bitmap writer.
int SaveBitmap(QImage& picture, const std::string& fileName, const CliContext& context) {
    const CliMessageBox boxes(context.Err);
    clsOffScreenDC surface;
    surface.CreateImage(picture.height(), picture.width());
    if (boxes.Shown() > 0 || surface.DC() == 0) {
        context.Err << "quillax render: " << fileName << ": the picture could not be made\n";
        return ExitStatus::Failed;
    }
    ByteArray2D pixels;
    surface.GetByteArray(pixels);
    for (int y = 0; y < picture.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(picture.constScanLine(picture.height() - 1 - y));
        for (int x = 0; x < picture.width(); ++x) {
            pixels(3 * x, y) = static_cast<uint8_t>(qBlue(row[x]));
            pixels(3 * x + 1, y) = static_cast<uint8_t>(qGreen(row[x]));
            pixels(3 * x + 2, y) = static_cast<uint8_t>(qRed(row[x]));
        }
    }
    surface.SetByteArray(pixels);
    return SaveSurface(surface, fileName, "render", context);
}

int WritePicture(const ViewOptions& options, const MeshScene& scene, const CliContext& context) {
    QImage picture = scene.Picture();
    if (!IsPng(options.Output)) {
        return SaveBitmap(picture, options.Output, context);
    }
    if (!picture.save(QString::fromStdString(options.Output), "PNG")) {
        context.Err << "quillax render: " << options.Output << ": the file could not be written\n";
        return ExitStatus::Failed;
    }
    return ExitStatus::Ok;
}
} // namespace

int CliRender(const CliContext& context) {
    return RunViewCommand(context, "render", RenderHelp, WritePicture);
}

} // namespace quillax
