#include "quillax/CliSvg.h"

#include "quillax/ViewOptions.h"
#include "view/GridTiling.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quillax {

namespace {
const char* const SvgHelp = "usage: quillax svg FILE.lin OUT.svg [view options]\n"
                            "Writes the editor's drawing area for the object as an SVG document.\n";

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

void AppendSegments(QIODevice& out, const JointPool& joints) {
    out.write("<g id=\"segments\" stroke-linecap=\"square\">\n");
    for (const JointElement& joint : joints) {
        if (joint.Visible && std::isfinite(joint.X1 + joint.Y1 + joint.X2 + joint.Y2)) {
            Append(
                out,
                "<line x1=\"%.7g\" y1=\"%.7g\" x2=\"%.7g\" y2=\"%.7g\" stroke=\"%s\" stroke-width=\"%d\"/>\n",
                joint.X1 + 0.5, joint.Y1 + 0.5, joint.X2 + 0.5, joint.Y2 + 0.5,
                Hex(joint.BorderColor).c_str(), joint.BorderWidth);
        }
    }
    out.write("</g>\n");
}

void AppendPoints(QIODevice& out, const NodePool& nodes) {
    out.write("<g id=\"points\" stroke-width=\"1\">\n");
    for (const NodeElement& node : nodes) {
        if (node.Visible && std::isfinite(node.Left + node.Top) && node.Width > 0) {
            Append(out, "<circle cx=\"%.7g\" cy=\"%.7g\" r=\"%.7g\" fill=\"%s\" stroke=\"%s\"/>\n",
                   node.Left + node.Width / 2.0, node.Top + node.Height / 2.0, node.Width / 2.0 - 0.5,
                   Hex(node.FillColor).c_str(), Hex(node.BorderColor).c_str());
        }
    }
    out.write("</g>\n");
}

// Streamed: the document is never held in memory, whatever the object's size.
int WriteSvg(const ViewOptions& options, MeshScene& scene, const CliContext& context) {
    return WriteOutput(options.Output, "svg", context, [&](QIODevice& file) {
        WriteSceneSvg(scene, options.Width, options.Height, file);
        return std::string();
    });
}
} // namespace

void WriteSceneSvg(const MeshScene& scene, int32_t width, int32_t height, QIODevice& out) {
    Append(out,
           "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" viewBox=\"0 0 %d %d\">\n"
           "<rect id=\"background\" width=\"%d\" height=\"%d\" fill=\"#000000\"/>\n",
           width, height, width, height, width, height);
    AppendGrid(out, scene, width, height);
    AppendSegments(out, scene.Joint);
    AppendPoints(out, scene.Node);
    out.write("</svg>\n");
}

int CliSvg(const CliContext& context) {
    return RunViewCommand(context, "svg", SvgHelp, WriteSvg);
}

} // namespace quillax
