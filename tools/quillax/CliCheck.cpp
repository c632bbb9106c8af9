#include "quillax/CliCheck.h"

#include "quillax/ObjectLoading.h"
#include "quillax/ObjectSummary.h"

namespace quillax {

namespace {
const char* const CheckHelp =
    "usage: quillax check FILE.lin...\n"
    "Checks each object file: one line per file, \"ok\" with its counts or the error\n"
    "with the byte offset and what was being read. Exit status 0 when all are valid,\n"
    "1 when any is not, 2 for a usage error.\n";

std::string Counts(const ObjectFile& object) {
    long points = 0;
    for (const Mesh& mesh : object.Meshes) {
        points += mesh.PointCount;
    }
    return std::to_string(object.MeshCount) + " meshes, " + std::to_string(points) + " points, " +
           std::to_string(points - object.MeshCount) + " lines";
}
} // namespace

int CliCheck(const CliContext& context) {
    if (WantsHelp(context.Arguments)) {
        context.Out << CheckHelp;
        return ExitStatus::Ok;
    }
    if (context.Arguments.empty()) {
        context.Err << CheckHelp;
        return ExitStatus::Usage;
    }
    for (const std::string& argument : context.Arguments) {
        if (argument.starts_with("-")) {
            context.Err << "quillax check: unknown option " << EscapedText(argument) << "\n" << CheckHelp;
            return ExitStatus::Usage;
        }
    }
    int status = ExitStatus::Ok;
    for (const std::string& fileName : context.Arguments) {
        ObjectFile object;
        ObjectPlacement placement;
        const LoadOutcome outcome = LoadForCli(fileName, object, placement);
        if (outcome.Loaded) {
            context.Out << EscapedText(fileName) << ": ok, " << Counts(object) << "\n";
        } else {
            context.Out << EscapedText(fileName) << ": " << EscapedText(outcome.Message) << "\n";
            status = ExitStatus::Failed;
        }
    }
    return status;
}

} // namespace quillax
