#include "quillax/DrawingModule.h"

#include "quillax/CliBmp24.h"
#include "quillax/CliConvert.h"
#include "quillax/CliRender.h"
#include "quillax/CliSvg.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace quillax {

namespace {
struct DrawingCommand {
    const char* Name;
    int (*Run)(const CliContext&);
};

constexpr DrawingCommand Commands[] = {
    {"render", CliRender}, {"svg", CliSvg}, {"bmp24", CliBmp24}, {"convert", CliConvert}};
} // namespace

// No exception leaves the module: the program's copies of the error types are not the module's.
extern "C" __attribute__((visibility("default"))) int QuillaxRunDrawingCommand(const char* name,
                                                                               const CliContext& context) {
    const auto found =
        std::find_if(std::begin(Commands), std::end(Commands), [name](const DrawingCommand& command) {
            return std::string_view(command.Name) == name;
        });
    if (found == std::end(Commands)) {
        context.Err << "quillax " << name << ": not a drawing command\n";
        return ExitStatus::Failed;
    }
    return RunReporting(found->Name, found->Run, context);
}

} // namespace quillax
