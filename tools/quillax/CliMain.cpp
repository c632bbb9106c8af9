#include "quillax/CliMain.h"

#include "quillax/CliCheck.h"
#include "quillax/CliInfo.h"
#include "quillax/CliText.h"
#include "quillax/CommandLine.h"
#include "quillax/DrawingCommands.h"

#include <algorithm>
#include <iterator>
#include <limits>

namespace quillax {

namespace {
int CliHelp(const CliContext& context);
int CliVersion(const CliContext& context);

// A command without a function of its own here draws: it runs from the drawing module.
struct CliCommandEntry {
    const char* Name;
    int (*Run)(const CliContext&);
};

constexpr CliCommandEntry Commands[] = {{"info", CliInfo}, {"check", CliCheck},    {"render", nullptr},
                                        {"svg", nullptr},  {"bmp24", nullptr},     {"convert", nullptr},
                                        {"help", CliHelp}, {"version", CliVersion}};

const char* const ProgramAbout =
    "Checks, describes, draws and converts the editor's line-art object files.\n"
    "\n"
    "Commands:\n"
    "  info FILE...          describe object files (--json, --points)\n"
    "  check FILE...         validate object files (--quiet, --json, --strict)\n"
    "  render FILE OUTPUT    draw the editor's view as BMP or PNG\n"
    "  svg FILE OUTPUT       the same view as an SVG document\n"
    "  convert INPUT OUTPUT  an object from .lin, .json or .svg to any of them\n"
    "  bmp24 INPUT OUTPUT    write a 1-, 4-, 8- or 24-bit bitmap as 24-bit\n"
    "  help [COMMAND]        this help, or a command's\n"
    "  version               the program's name and version\n"
    "\n"
    "A FILE or INPUT of - is standard input, an OUTPUT of - standard output. Exit status: 0 when\n"
    "all went well, 1 when a file could not be read, checked or written, 2 for a usage error.\n";

const CliCommandEntry* CommandNamed(const std::string& name) {
    const auto found = std::find_if(std::begin(Commands), std::end(Commands),
                                    [&](const CliCommandEntry& entry) { return entry.Name == name; });
    return found == std::end(Commands) ? nullptr : found;
}

int RunCommand(const CliCommandEntry& command, const CliContext& context) {
    return command.Run == nullptr ? RunDrawingCommand(command.Name, context)
                                  : RunReporting(command.Name, command.Run, context);
}

// The program's own options, before the command; the first operand is the command.
CommandLine ProgramLine() {
    return CommandLine("", {"COMMAND [ARGUMENTS]", 0, std::numeric_limits<size_t>::max()}, ProgramAbout,
                       {{{"version"}, "", "the program's name and version"}});
}

int CliHelp(const CliContext& context) {
    CommandLine line("help", {"[COMMAND]", 0, 1}, "Prints the program's help, or a command's.\n", {});
    if (const std::optional<int> done = line.Parse(context)) {
        return *done;
    }
    if (line.Operands().empty()) {
        context.Out << ProgramLine().Help();
        return ExitStatus::Ok;
    }
    const CliCommandEntry* command = CommandNamed(line.Operands()[0]);
    if (command == nullptr) {
        return line.UsageError(context, "unknown command " + line.Operands()[0]);
    }
    return RunCommand(*command, CliContext{{"--help"}, context.Out, context.Err});
}

int CliVersion(const CliContext& context) {
    CommandLine line("version", {"", 0, 0}, "Prints the program's name and version.\n", {});
    if (const std::optional<int> done = line.Parse(context)) {
        return *done;
    }
    context.Out << "quillax " << QUILLAX_VERSION << "\n";
    return ExitStatus::Ok;
}
} // namespace

int RunQuillax(const CliContext& context) {
    CommandLine program = ProgramLine();
    program.StopAtFirstOperand();
    if (const std::optional<int> done = program.Parse(context)) {
        return *done;
    }
    if (program.IsSet("version")) {
        return CliVersion(CliContext{{}, context.Out, context.Err});
    }
    const std::vector<std::string>& operands = program.Operands();
    if (operands.empty()) {
        return program.UsageError(context, "missing COMMAND");
    }
    const CliCommandEntry* command = CommandNamed(operands[0]);
    if (command == nullptr) {
        return program.UsageError(context, "unknown command " + operands[0]);
    }
    return RunCommand(*command, CliContext{{operands.begin() + 1, operands.end()}, context.Out, context.Err});
}

} // namespace quillax
