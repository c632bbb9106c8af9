#include "sceneexport/SceneExport.h"

#include "sceneexport/PngPicture.h"
#include "sceneexport/SceneSvg.h"

#include <QImageWriter>

namespace quillax {

std::string WritePicture(const QImage& picture, ExportFormat format, QIODevice& out) {
    if (format == ExportFormat::Svg) {
        return "an SVG document is not a picture format";
    }
    if (format == ExportFormat::Png) {
        return WritePng(picture, out);
    }
    // Opaque 32-bit pixels: Qt's bitmap writer then writes 24 bits a pixel.
    QImageWriter writer(&out, ExportFormatName(format));
    return writer.write(picture.convertToFormat(QImage::Format_RGB32)) ? std::string()
                                                                       : writer.errorString().toStdString();
}

namespace {
std::string WriteScene(const MeshScene& scene, ExportFormat format, QIODevice& out) {
    if (format == ExportFormat::Svg) {
        WriteSceneSvg(scene, out);
        return {};
    }
    return WritePicture(scene.Picture(), format, out);
}
} // namespace

WriteOutcome ExportScene(const MeshScene& scene, const std::string& path, ExportFormat format) {
    OutputFile file(path);
    return ExportScene(scene, file, format);
}

WriteOutcome ExportScene(const MeshScene& scene, OutputFile& file, ExportFormat format) {
    return WriteWholeFile(file, [&](QIODevice& out) { return WriteScene(scene, format, out); });
}

} // namespace quillax
