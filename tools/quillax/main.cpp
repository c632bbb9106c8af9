#include "quillax/CliBmp24.h"
#include "quillax/CliCheck.h"
#include "quillax/CliInfo.h"
#include "quillax/CliRender.h"
#include "quillax/CliSvg.h"
#include "quillax/ObjectSummary.h"

#include <iostream>
#include <map>
#include <new>

namespace quillax {

namespace {
const char* const Help = "usage: quillax COMMAND [ARGS]\n"
                         "Commands:\n"
                         "  info FILE.lin [--json]   describe an object file\n"
                         "  check FILE.lin...        validate object files\n"
                         "  render FILE.lin OUT.bmp  draw the editor's view (OUT.png: PNG)\n"
                         "  svg FILE.lin OUT.svg     the same view as an SVG document\n"
                         "  bmp24 IN.bmp OUT.bmp     convert a bitmap file to 24 bits\n"
                         "Run 'quillax COMMAND --help' for a command's options.\n";
}

} // namespace quillax

using namespace quillax;

int main(int argc, char** argv) {
    const std::map<std::string, int (*)(const CliContext&)> commands = {
        {"info", CliInfo}, {"check", CliCheck}, {"render", CliRender}, {"svg", CliSvg}, {"bmp24", CliBmp24}};
    if (argc < 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h") {
        (argc < 2 ? std::cerr : std::cout) << Help;
        return argc < 2 ? ExitStatus::Usage : ExitStatus::Ok;
    }
    const auto command = commands.find(argv[1]);
    if (command == commands.end()) {
        std::cerr << "quillax: unknown command " << EscapedText(argv[1]) << "\n" << Help;
        return ExitStatus::Usage;
    }
    try {
        return command->second(
            CliContext{std::vector<std::string>(argv + 2, argv + argc), std::cout, std::cerr});
    } catch (const std::bad_alloc&) {
        // Caught, so every output file being written is discarded on the way out.
        std::cerr << "quillax " << argv[1] << ": out of memory\n";
        return ExitStatus::Failed;
    }
}
