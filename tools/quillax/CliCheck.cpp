#include "quillax/CliCheck.h"

#include "platform/Counted.h"
#include "quillax/CliText.h"
#include "quillax/CommandLine.h"
#include "quillax/ElementList.h"
#include "quillax/ObjectLoading.h"
#include "quillax/ObjectWarnings.h"
#include "quillax/StandardStreams.h"

#include <limits>

namespace quillax {

namespace {
const char* const CheckAbout =
    "Checks each object file. A valid file gets a line on standard output, \"FILE: ok\" with its\n"
    "counts; a point, colour or centre that is NaN or infinite adds a warning to it. An invalid file\n"
    "gets a line \"quillax check: FILE: reason\" on standard error. FILE - is standard input. Exit\n"
    "status 0 when every file is valid, 1 when any is not, 2 for a usage error.\n";

// What checking one file found.
struct FileCheck {
    std::string Name;
    LoadOutcome Outcome{};
    int64_t Meshes = 0;
    int64_t Points = 0;
    int64_t Lines = 0;
    std::vector<std::string> Warnings;
    bool Passed = false;
};

FileCheck CheckFile(const std::string& name, bool strict) {
    ObjectFile object;
    FileCheck check;
    check.Name = name;
    check.Outcome = LoadForCli(name, object);
    if (!check.Outcome.Loaded) {
        return check;
    }
    check.Meshes = MeshCountOf(object);
    for (const Mesh& mesh : object.Meshes) {
        check.Points += PointsOf(mesh);
        check.Lines += LinesOf(mesh);
    }
    check.Warnings = NonFiniteWarnings(object);
    check.Passed = !strict || check.Warnings.empty();
    return check;
}

std::string CountsText(const FileCheck& check) {
    return Counted(check.Meshes, "mesh", "meshes") + ", " + Counted(check.Points, "point", "points") + ", " +
           Counted(check.Lines, "line", "lines");
}

std::string WarningsText(const FileCheck& check) {
    std::string text;
    for (const std::string& warning : check.Warnings) {
        text += "; warning: " + warning;
    }
    return text;
}

// A failure's line begins with the program and command, as every message on standard error does.
void PrintLine(const FileCheck& check, const CliContext& context) {
    const std::string name = ShownInput(check.Name) + ": ";
    if (check.Passed) {
        context.Out << name << "ok, " << CountsText(check) << WarningsText(check) << "\n";
    } else if (check.Outcome.Loaded) {
        context.Err << "quillax check: " << name << "failed with --strict, " << CountsText(check)
                    << WarningsText(check) << "\n";
    } else {
        ReportInputError(context, "check", check.Name, check.Outcome.Message);
    }
}

// One element of the array --json writes.
std::string JsonOf(const FileCheck& check) {
    std::string json =
        "{\"file\": " + JsonString(check.Name) + ", \"ok\": " + (check.Passed ? "true" : "false");
    if (!check.Outcome.Loaded) {
        return json + ", \"error\": " + JsonString(check.Outcome.Message) + "}";
    }
    json += ", \"meshes\": " + std::to_string(check.Meshes) +
            ", \"points\": " + std::to_string(check.Points) + ", \"lines\": " + std::to_string(check.Lines) +
            ", \"warnings\": [";
    for (size_t k = 0; k < check.Warnings.size(); ++k) {
        json += (k == 0 ? "" : ", ") + JsonString(check.Warnings[k]);
    }
    return json + "]}";
}
} // namespace

int CliCheck(const CliContext& context) {
    CommandLine line("check", {"FILE...", 1, std::numeric_limits<size_t>::max()}, CheckAbout,
                     {{{"q", "quiet"}, "", "print nothing: only the exit status tells"},
                      {{"json"}, "", "one JSON array on standard output, an object per file"},
                      {{"strict"}, "", "a file with a warning fails"}});
    if (const std::optional<int> done = line.Parse(context)) {
        return *done;
    }
    const bool quiet = line.IsSet("quiet");
    const bool json = line.IsSet("json") && !quiet;
    int status = ExitStatus::Ok;
    ElementList list(context.Out, json);
    for (const std::string& name : line.Operands()) {
        const FileCheck check = CheckFile(name, line.IsSet("strict"));
        status = check.Passed ? status : ExitStatus::Failed;
        if (json) {
            list.Next() << JsonOf(check) << std::flush;
        } else if (!quiet) {
            PrintLine(check, context);
        }
    }
    list.End();
    return status;
}

} // namespace quillax
