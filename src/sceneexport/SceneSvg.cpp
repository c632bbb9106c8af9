#include "sceneexport/SceneSvg.h"

#include "sceneexport/SvgPathRun.h"
#include "view/GridTiling.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quillax {

namespace {
// A colour value red + 256 green + 65536 blue as #rrggbb.
std::string Hex(int32_t colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour & 0xFF, (colour >> 8) & 0xFF,
                  (colour >> 16) & 0xFF);
    return text;
}

void Append(QIODevice& out, const char* format, auto... values) {
    char line[256];
    const int length = std::snprintf(line, sizeof line, format, values...);
    out.write(line, std::clamp(length, 0, static_cast<int>(sizeof line) - 1));
}

// A tile's line column is its first; its line row is its last as displayed (the bottom scan line).
void AppendGrid(QIODevice& out, const MeshScene& scene, int32_t width, int32_t height) {
    if (!scene.ShowGrid) {
        return;
    }
    const std::optional<GridLayout> layout = LayOutGrid(scene.View(), scene.CellSize(), width, height);
    if (!layout) {
        return;
    }
    Append(out, "<g id=\"grid\" stroke=\"%s\" stroke-width=\"1\">\n", Hex(GridGrey * 0x010101).c_str());
    for (const TileSpan& column : layout->Columns) {
        if (column.From == 0) {
            Append(out, "<line x1=\"%d.5\" y1=\"0\" x2=\"%d.5\" y2=\"%d\"/>\n", column.To, column.To, height);
        }
    }
    for (const TileSpan& row : layout->Rows) {
        if (row.From + row.Length == layout->TileHeight) {
            const int32_t y = row.To + row.Length - 1;
            Append(out, "<line x1=\"0\" y1=\"%d.5\" x2=\"%d\" y2=\"%d.5\"/>\n", y, width, y);
        }
    }
    out.write("</g>\n");
}

// Whether a box from (left, top) to (right, bottom) reaches into the drawing area: what lies wholly
// outside it is not written.
bool ReachesArea(double left, double top, double right, double bottom, const MeshScene& scene) {
    return right > 0 && bottom > 0 && left < scene.ViewWidth && top < scene.ViewHeight;
}

bool Shows(const JointElement& joint, const MeshScene& scene) {
    const double reach = joint.BorderWidth;
    return joint.Visible && std::isfinite(joint.X1 + joint.Y1 + joint.X2 + joint.Y2) &&
           ReachesArea(std::min(joint.X1, joint.X2) - reach, std::min(joint.Y1, joint.Y2) - reach,
                       std::max(joint.X1, joint.X2) + 1 + reach, std::max(joint.Y1, joint.Y2) + 1 + reach,
                       scene);
}

bool Shows(const NodeElement& node, const MeshScene& scene) {
    return node.Visible && std::isfinite(node.Left + node.Top) && node.Width > 0 &&
           ReachesArea(node.Left, node.Top, node.Left + node.Width, node.Top + node.Height, scene);
}

// Pool elements range.First .. range.Last - 1, those that exist; written inside a group of the look
// SegmentsLook (and MarkersLook below) gives.
constexpr const char* SegmentsLook = "stroke-linecap=\"square\" fill=\"none\"";
constexpr const char* MarkersLook = "stroke-width=\"1\" stroke-linecap=\"round\"";

void AppendSegments(QIODevice& out, const MeshScene& scene, const SceneMarkers& markers, PoolRun range) {
    SvgPathRun run(out);
    for (int32_t j = range.First; j < range.Last && scene.Joint.Exists(j); ++j) {
        const JointElement joint = markers.JointAt(j);
        if (Shows(joint, scene)) {
            run.AddLine("stroke=\"" + Hex(joint.BorderColor) + "\" stroke-width=\"" +
                            std::to_string(joint.BorderWidth) + "\"",
                        joint.X1 + 0.5, joint.Y1 + 0.5, joint.X2 + 0.5, joint.Y2 + 0.5);
        }
    }
}

void AppendMarkers(QIODevice& out, const MeshScene& scene, const SceneMarkers& markers, PoolRun range) {
    SvgPathRun run(out);
    for (int32_t n = range.First; n < range.Last && scene.Node.Exists(n); ++n) {
        const NodeElement node = markers.NodeAt(n);
        if (!Shows(node, scene)) {
            continue;
        }
        // A marker of one colour is a dot; one with an outline of another colour a circle of its own.
        if (node.FillColor == node.BorderColor) {
            run.AddDot("fill=\"none\" stroke=\"" + Hex(node.BorderColor) + "\" stroke-width=\"" +
                           std::to_string(static_cast<int>(node.Width)) + "\"",
                       node.Left + node.Width / 2.0, node.Top + node.Height / 2.0);
        } else {
            run.End();
            Append(out, "<circle cx=\"%.7g\" cy=\"%.7g\" r=\"%.7g\" fill=\"%s\" stroke=\"%s\"/>\n",
                   node.Left + node.Width / 2.0, node.Top + node.Height / 2.0, node.Width / 2.0 - 0.5,
                   Hex(node.FillColor).c_str(), Hex(node.BorderColor).c_str());
        }
    }
}

// A hidden mesh is left out whole.
bool Shown(const MeshScene& scene, int32_t mesh) {
    return !scene.Document().ViewStateOf(mesh).Hidden;
}

// Over every mesh as written: the other meshes' markers again, then the chosen mesh and over it its
// marked lines and points, as the drawing area stacks them.
void AppendStacking(QIODevice& out, const MeshScene& scene, const SceneMarkers& markers) {
    const MarkerStacking stacking = scene.Stacking();
    for (int32_t mesh = 0; mesh < MeshCountOf(scene.Object()); ++mesh) {
        if (mesh != stacking.Mesh && Shown(scene, mesh)) {
            Append(out, "<use xlink:href=\"#mesh-%d-markers\"/>\n", mesh);
        }
    }
    if (stacking.Mesh < 0 || stacking.Mesh >= MeshCountOf(scene.Object()) || !Shown(scene, stacking.Mesh)) {
        return;
    }
    Append(out, "<use xlink:href=\"#mesh-%d-segments\"/>\n<use xlink:href=\"#mesh-%d-markers\"/>\n",
           stacking.Mesh, stacking.Mesh);
    Append(out, "<g id=\"marks\">\n<g id=\"marked-segments\" %s>\n", SegmentsLook);
    for (const PoolRun& run : stacking.MarkedLines) {
        AppendSegments(out, scene, markers, run);
    }
    Append(out, "</g>\n<g id=\"marked-markers\" %s>\n", MarkersLook);
    for (const PoolRun& run : stacking.MarkedPoints) {
        AppendMarkers(out, scene, markers, run);
    }
    out.write("</g>\n</g>\n");
}

// The pools hold every mesh's markers in the object's order: a node per point, a segment per point
// after a mesh's first.
void AppendMeshes(QIODevice& out, const MeshScene& scene) {
    const ObjectFile& object = scene.Object();
    const SceneMarkers markers = scene.Markers();
    int32_t node = 0;
    int32_t joint = 0;
    for (int32_t mesh = 0; mesh < MeshCountOf(object); ++mesh) {
        const int32_t points = PointsOf(object.Meshes[static_cast<size_t>(mesh)]);
        const int32_t segments = LinesOf(object.Meshes[static_cast<size_t>(mesh)]);
        if (Shown(scene, mesh)) {
            Append(out, "<g id=\"mesh-%d\">\n<g id=\"mesh-%d-segments\" %s>\n", mesh, mesh, SegmentsLook);
            AppendSegments(out, scene, markers, {joint, joint + segments});
            Append(out, "</g>\n<g id=\"mesh-%d-markers\" %s>\n", mesh, MarkersLook);
            AppendMarkers(out, scene, markers, {node, node + points});
            out.write("</g>\n</g>\n");
        }
        node += points;
        joint += segments;
    }
    out.write("<g id=\"markers\">\n");
    AppendStacking(out, scene, markers);
    out.write("</g>\n");
}
} // namespace

void WriteSceneSvg(const MeshScene& scene, QIODevice& out) {
    // The area's size, not the background's: that would make the picture's pixels, which a document
    // of lines never needs.
    const int32_t width = scene.ViewWidth;
    const int32_t height = scene.ViewHeight;
    out.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    Append(out,
           "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
           "width=\"%d\" height=\"%d\" viewBox=\"0 0 %d %d\">\n",
           width, height, width, height);
    Append(out, "<rect id=\"background\" width=\"%d\" height=\"%d\" fill=\"#000000\"/>\n", width, height);
    AppendGrid(out, scene, width, height);
    AppendMeshes(out, scene);
    out.write("</svg>\n");
}

} // namespace quillax
