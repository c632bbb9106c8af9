#include "objectjson/ObjectJson.h"

#include "objects/ObjectSummary.h"
#include "platform/NumberTexts.h"

#include <QByteArray>

#include <bit>
#include <cmath>

namespace quillax {

namespace {
// Where the members (depth 1), meshes (2) and points (3) go: one after another on a line, or a line
// each, indented by their depth.
class JsonLayout {
public:
    explicit JsonLayout(bool oneLine) : OneLine(oneLine) {}
    const char* Before(bool first, int depth) const {
        static const char* const Firsts[] = {"", "\n  ", "\n    ", "\n      "};
        static const char* const Others[] = {"", ",\n  ", ",\n    ", ",\n      "};
        return OneLine ? (first ? "" : ", ") : first ? Firsts[depth] : Others[depth];
    }
    // Before the bracket that closes a list of items at depth.
    const char* Close(int depth) const {
        static const char* const Ends[] = {"", "\n", "\n  ", "\n    "};
        return OneLine ? "" : Ends[depth];
    }

private:
    bool OneLine;
};

void AppendPoints(std::string& out, const Mesh& mesh, const JsonLayout& layout) {
    out += "\"points\": [";
    for (size_t k = 0; k < mesh.X.size() && k < mesh.Y.size(); ++k) {
        out += layout.Before(k == 0, 3);
        out += '[';
        out += FloatJson(mesh.X[k]);
        out += ", ";
        out += FloatJson(mesh.Y[k]);
        out += ']';
    }
    out += layout.Close(3);
    out += ']';
}

void AppendBounds(std::string& out, const MeshSummary& mesh) {
    if (!mesh.Finite) {
        out += "null";
        return;
    }
    out += "{\"minX\": " + FloatJson(mesh.MinX) + ", \"minY\": " + FloatJson(mesh.MinY) +
           ", \"maxX\": " + FloatJson(mesh.MaxX) + ", \"maxY\": " + FloatJson(mesh.MaxY) + "}";
}

void AppendMesh(std::string& out, int index, const MeshSummary& summary, const Mesh& mesh,
                const ObjectJsonLayout& layout) {
    out += "{\"index\": " + std::to_string(index) + ", \"colour\": {\"red\": " + FloatJson(summary.Red) +
           ", \"green\": " + FloatJson(summary.Green) + ", \"blue\": " + FloatJson(summary.Blue) +
           "}, \"pointCount\": " + std::to_string(summary.PointCount) + ", \"bounds\": ";
    AppendBounds(out, summary);
    out += ", \"extraValue\": \"" + HexText(summary.ExtraValue, 8) + "\", \"extraWord\": \"" +
           HexText(summary.ExtraWord, 4) + "\"";
    if (layout.Points) {
        out += ", ";
        AppendPoints(out, mesh, JsonLayout(layout.OneLine));
    }
    out += '}';
}

size_t PointTotal(const ObjectFile& object) {
    size_t total = 0;
    for (const Mesh& mesh : object.Meshes) {
        total += mesh.X.size();
    }
    return total;
}
} // namespace

std::string FloatJson(float value) {
    if (std::isfinite(value)) {
        return FloatText(value);
    }
    const auto bits = std::bit_cast<uint32_t>(value);
    if (std::isinf(value)) {
        return value > 0 ? "\"Infinity\"" : "\"-Infinity\"";
    }
    return bits == JsonNaNBits ? "\"NaN\"" : "\"" + HexText(bits, 8) + "\"";
}

std::string ObjectJsonText(const ObjectFile& object, const ObjectJsonLayout& layout) {
    const JsonLayout lines(layout.OneLine);
    std::string out;
    // About what a point takes: two short numbers, their brackets and the line they are on.
    out.reserve(256 + (layout.Points ? PointTotal(object) * 32 : 0) + object.TrailingBytes.size() * 2);
    out += '{';
    bool first = true;
    const auto member = [&](const std::string& text) {
        out += lines.Before(first, 1);
        out += text;
        first = false;
    };
    if (!layout.FirstMember.empty()) {
        member(layout.FirstMember);
    }
    member("\"centre\": {\"x\": " + FloatJson(object.CentreX) + ", \"y\": " + FloatJson(object.CentreY) +
           "}");
    member("\"meshCount\": " + std::to_string(object.MeshCount));
    member("\"meshes\": [");
    int index = 0;
    for (const MeshSummary& summary : SummariseMeshes(object)) {
        out += lines.Before(index == 0, 2);
        AppendMesh(out, index, summary, object.Meshes[static_cast<size_t>(index)], layout);
        ++index;
    }
    out += lines.Close(2);
    out += ']';
    if (!object.TrailingBytes.empty()) {
        const QByteArray tail(reinterpret_cast<const char*>(object.TrailingBytes.data()),
                              static_cast<qsizetype>(object.TrailingBytes.size()));
        member("\"trailingBytes\": \"" + tail.toBase64().toStdString() + "\"");
    }
    out += lines.Close(1);
    out += '}';
    return out;
}

} // namespace quillax
