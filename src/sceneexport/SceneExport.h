#pragma once

#include "fileio/OutputFile.h"
#include "sceneexport/ExportFormat.h"
#include "view/MeshScene.h"

#include <QIODevice>
#include <QImage>

#include <string>

namespace quillax {

// Writes a picture as a BMP of 24 bits a pixel or as a PNG (an SVG is no picture format: refused);
// an empty text, or the writer's reason for failing.
std::string WritePicture(const QImage& picture, ExportFormat format, QIODevice& out);

// Writes what the scene's drawing area shows: as a picture, its background with the markers over it,
// pixel for pixel as the drawing area paints them; as SVG, the document of WriteSceneSvg. Through the
// one output path: to a file by name, which is replaced only once the whole picture is written, or to
// an OutputFile the caller made (standard output).
WriteOutcome ExportScene(const MeshScene& scene, const std::string& path, ExportFormat format);
WriteOutcome ExportScene(const MeshScene& scene, OutputFile& file, ExportFormat format);

} // namespace quillax
