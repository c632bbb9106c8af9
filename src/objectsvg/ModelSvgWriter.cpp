#include "objectsvg/ObjectSvg.h"

#include "objects/ObjectSummary.h"
#include "platform/NumberTexts.h"
#include "platform/Numeric.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace quillax {

namespace {
// A colour of 0 to 1 a component as #rrggbb, as the editor shows the chosen mesh.
std::string HexColour(const Mesh& mesh) {
    const auto byte = [](float intensity) {
        return RoundSaturated<uint8_t>(static_cast<double>(intensity) * 255);
    };
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", byte(mesh.Red), byte(mesh.Green), byte(mesh.Blue));
    return text;
}

// The shortest text of a coordinate, unless a reader of SVG, which reads a double and rounds it to a
// float, would make another float of it (two values in the four billion, +-7.038531e-26): then the
// double's own shortest text, which that reader gives back exactly.
std::string CoordinateText(float value) {
    std::string text = FloatText(value);
    double read = 0;
    std::from_chars(text.data(), text.data() + text.size(), read);
    if (static_cast<float>(read) != value) {
        char exact[32];
        text.assign(exact, std::to_chars(exact, exact + sizeof exact, static_cast<double>(value)).ptr);
    }
    return text;
}

// The first point that is not finite, as "mesh 2, point 5"; empty when every point is.
std::string NotFinite(const ObjectFile& object) {
    for (size_t i = 0; i < object.Meshes.size(); ++i) {
        const Mesh& mesh = object.Meshes[i];
        for (size_t k = 0; k < mesh.X.size() && k < mesh.Y.size(); ++k) {
            if (!std::isfinite(mesh.X[k]) || !std::isfinite(mesh.Y[k])) {
                return "mesh " + std::to_string(i) + ", point " + std::to_string(k) + " (x " +
                       FloatText(mesh.X[k]) + ", y " + FloatText(mesh.Y[k]) + ")";
            }
        }
    }
    return {};
}

// The view box: every point with a twentieth of the extent (at least one unit) to spare on each side.
std::string ViewBox(const ObjectFile& object) {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    bool any = false;
    for (const MeshSummary& mesh : SummariseMeshes(object)) {
        minX = any ? std::min<double>(minX, mesh.MinX) : mesh.MinX;
        minY = any ? std::min<double>(minY, mesh.MinY) : mesh.MinY;
        maxX = any ? std::max<double>(maxX, mesh.MaxX) : mesh.MaxX;
        maxY = any ? std::max<double>(maxY, mesh.MaxY) : mesh.MaxY;
        any = true;
    }
    const double margin = std::max({1.0, (maxX - minX) / 20, (maxY - minY) / 20});
    char text[128];
    std::snprintf(text, sizeof text, "%.9g %.9g %.9g %.9g", minX - margin, minY - margin,
                  maxX - minX + 2 * margin, maxY - minY + 2 * margin);
    return text;
}

void AppendMesh(std::string& out, size_t index, const Mesh& mesh) {
    out += "<polyline id=\"mesh-" + std::to_string(index) + "\" stroke=\"" + HexColour(mesh) + "\" points=\"";
    for (size_t k = 0; k < mesh.X.size() && k < mesh.Y.size(); ++k) {
        out += k == 0 ? "" : " ";
        out += CoordinateText(mesh.X[k]);
        out += ',';
        out += CoordinateText(mesh.Y[k]);
    }
    out += "\" vector-effect=\"non-scaling-stroke\"/>\n";
}
} // namespace

ModelSvg ModelSvgText(const ObjectFile& object) {
    if (const std::string point = NotFinite(object); !point.empty()) {
        return {{}, point + " is not finite: an SVG document cannot hold it"};
    }
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"" +
                      ViewBox(object) + "\">\n<g id=\"object\" fill=\"none\" stroke-width=\"1\">\n";
    for (size_t i = 0; i < object.Meshes.size(); ++i) {
        AppendMesh(out, i, object.Meshes[i]);
    }
    out += "</g>\n</svg>\n";
    return {std::move(out), {}};
}

} // namespace quillax
