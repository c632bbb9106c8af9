#include "quillax/CliInfo.h"

#include "quillax/ObjectLoading.h"
#include "quillax/ObjectSummary.h"

namespace quillax {

namespace {
const char* const InfoHelp = "usage: quillax info FILE.lin [--json]\n"
                             "Prints the centre, the mesh count and, per mesh, its colour, point count,\n"
                             "bounding box and raw extra fields; --json prints one JSON document.\n";

void PrintText(std::ostream& out, const std::string& fileName, const ObjectFile& object) {
    out << "File: " << EscapedText(fileName) << "\n";
    out << "Centre: " << FloatText(object.CentreX) << ", " << FloatText(object.CentreY) << "\n";
    out << "Meshes: " << object.MeshCount << "\n";
    int index = 0;
    for (const MeshSummary& mesh : SummariseMeshes(object)) {
        out << "Mesh " << index++ << ": colour " << FloatText(mesh.Red) << ", " << FloatText(mesh.Green)
            << ", " << FloatText(mesh.Blue) << "; " << mesh.PointCount << " points; ";
        if (mesh.Finite) {
            out << "x " << FloatText(mesh.MinX) << " to " << FloatText(mesh.MaxX) << ", y "
                << FloatText(mesh.MinY) << " to " << FloatText(mesh.MaxY);
        } else {
            out << "no finite point";
        }
        out << "; extra " << HexText(mesh.ExtraValue, 8) << " " << HexText(mesh.ExtraWord, 4) << "\n";
    }
}

void PrintJson(std::ostream& out, const std::string& fileName, const ObjectFile& object) {
    out << "{\"file\": " << JsonString(fileName) << ", \"centre\": {\"x\": " << FloatJson(object.CentreX)
        << ", \"y\": " << FloatJson(object.CentreY) << "}, \"meshCount\": " << object.MeshCount
        << ", \"meshes\": [";
    int index = 0;
    for (const MeshSummary& mesh : SummariseMeshes(object)) {
        out << (index ? ", " : "") << "{\"index\": " << index
            << ", \"colour\": {\"red\": " << FloatJson(mesh.Red) << ", \"green\": " << FloatJson(mesh.Green)
            << ", \"blue\": " << FloatJson(mesh.Blue) << "}, \"pointCount\": " << mesh.PointCount
            << ", \"bounds\": ";
        if (mesh.Finite) {
            out << "{\"minX\": " << FloatJson(mesh.MinX) << ", \"minY\": " << FloatJson(mesh.MinY)
                << ", \"maxX\": " << FloatJson(mesh.MaxX) << ", \"maxY\": " << FloatJson(mesh.MaxY) << "}";
        } else {
            out << "null";
        }
        out << ", \"extraValue\": \"" << HexText(mesh.ExtraValue, 8) << "\", \"extraWord\": \""
            << HexText(mesh.ExtraWord, 4) << "\"}";
        ++index;
    }
    out << "]}\n";
}
} // namespace

int CliInfo(const CliContext& context) {
    if (WantsHelp(context.Arguments)) {
        context.Out << InfoHelp;
        return ExitStatus::Ok;
    }
    std::vector<std::string> files;
    bool json = false;
    for (const std::string& argument : context.Arguments) {
        if (argument == "--json") {
            json = true;
        } else if (argument.starts_with("-")) {
            context.Err << "quillax info: unknown option " << EscapedText(argument) << "\n" << InfoHelp;
            return ExitStatus::Usage;
        } else {
            files.push_back(argument);
        }
    }
    if (files.size() != 1) {
        context.Err << InfoHelp;
        return ExitStatus::Usage;
    }
    ObjectFile object;
    ObjectPlacement placement;
    const LoadOutcome outcome = LoadForCli(files[0], object, placement);
    if (!outcome.Loaded) {
        context.Err << EscapedText(files[0]) << ": " << EscapedText(outcome.Message) << "\n";
        return ExitStatus::Failed;
    }
    (json ? PrintJson : PrintText)(context.Out, files[0], object);
    return ExitStatus::Ok;
}

} // namespace quillax
