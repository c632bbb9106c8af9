#include "quillax/CliInfo.h"

#include "objectjson/ObjectJson.h"
#include "objects/ObjectSummary.h"
#include "platform/Counted.h"
#include "platform/NumberTexts.h"
#include "quillax/CliText.h"
#include "quillax/CommandLine.h"
#include "quillax/ElementList.h"
#include "quillax/ObjectLoading.h"
#include "quillax/StandardStreams.h"

#include <limits>

namespace quillax {

namespace {
const char* const InfoAbout =
    "Prints, for each object file, its centre, its mesh count and, per mesh, its colour, point count,\n"
    "bounding box of the finite points and raw extra fields. FILE - is standard input.\n";

void PrintPoints(std::ostream& out, const Mesh& mesh) {
    for (size_t k = 0; k < mesh.X.size() && k < mesh.Y.size(); ++k) {
        out << "  point " << k << ": " << FloatText(mesh.X[k]) << ", " << FloatText(mesh.Y[k]) << "\n";
    }
}

void PrintText(std::ostream& out, const std::string& name, const ObjectFile& object, bool points) {
    out << "File: " << ShownInput(name) << "\n";
    out << "Centre: " << FloatText(object.CentreX) << ", " << FloatText(object.CentreY) << "\n";
    out << "Meshes: " << object.MeshCount << "\n";
    int index = 0;
    for (const MeshSummary& mesh : SummariseMeshes(object)) {
        out << "Mesh " << index << ": colour " << FloatText(mesh.Red) << ", " << FloatText(mesh.Green) << ", "
            << FloatText(mesh.Blue) << "; " << Counted(mesh.PointCount, "point", "points") << "; ";
        if (mesh.Finite) {
            out << "x " << FloatText(mesh.MinX) << " to " << FloatText(mesh.MaxX) << ", y "
                << FloatText(mesh.MinY) << " to " << FloatText(mesh.MaxY);
        } else {
            out << "no finite point";
        }
        out << "; extra " << HexText(mesh.ExtraValue, 8) << " " << HexText(mesh.ExtraWord, 4) << "\n";
        if (points) {
            PrintPoints(out, object.Meshes[static_cast<size_t>(index)]);
        }
        ++index;
    }
}

void PrintJson(std::ostream& out, const std::string& name, const ObjectFile& object, bool points) {
    out << ObjectJsonText(object, {points, true, "\"file\": " + JsonString(name)});
}
} // namespace

int CliInfo(const CliContext& context) {
    CommandLine line("info", {"FILE...", 1, std::numeric_limits<size_t>::max()}, InfoAbout,
                     {{{"json"},
                       "",
                       "one JSON array on standard output, an object per file read, the\n"
                       "object form of convert with its file; NaN and infinities as the\n"
                       "strings \"NaN\", \"Infinity\", \"-Infinity\", another NaN by its bits"},
                      {{"points"}, "", "every point's coordinates too"}});
    if (const std::optional<int> done = line.Parse(context)) {
        return *done;
    }
    const bool json = line.IsSet("json");
    const bool points = line.IsSet("points");
    int status = ExitStatus::Ok;
    ElementList list(context.Out, json);
    for (const std::string& name : line.Operands()) {
        ObjectFile object;
        const LoadOutcome outcome = LoadForCli(name, object);
        if (!outcome.Loaded) {
            ReportInputError(context, "info", name, outcome.Message);
            status = ExitStatus::Failed;
            continue;
        }
        (json ? PrintJson : PrintText)(list.Next(), name, object, points);
        context.Out << std::flush;
    }
    list.End();
    return status;
}

} // namespace quillax
