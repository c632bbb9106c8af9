#include "quillax/CliBmp24.h"

#include "platform/InputFile.h"
#include "quillax/CliMessageBox.h"
#include "quillax/ObjectSummary.h"
#include "surface/clsOffScreenDC.h"

#include <cerrno>

namespace quillax {

namespace {
const char* const Bmp24Help =
    "usage: quillax bmp24 IN.bmp OUT.bmp\n"
    "Loads a 1-, 4-, 8- or 24-bit bitmap file and saves it as a 24-bit bitmap. What the\n"
    "surface would show in its error box is printed here; the exit status is then 1.\n";
} // namespace

int CliBmp24(const CliContext& context) {
    if (WantsHelp(context.Arguments)) {
        context.Out << Bmp24Help;
        return ExitStatus::Ok;
    }
    const auto& arguments = context.Arguments;
    for (const std::string& argument : arguments) {
        if (argument.starts_with("-")) {
            context.Err << "quillax bmp24: unknown option " << EscapedText(argument) << "\n" << Bmp24Help;
            return ExitStatus::Usage;
        }
    }
    if (arguments.size() != 2) {
        context.Err << Bmp24Help;
        return ExitStatus::Usage;
    }
    const InputFile input(arguments[0]);
    if (!input.IsOpen()) {
        context.Err << "quillax bmp24: " << EscapedText(arguments[0]) << ": "
                    << (input.Error() == ENOENT ? "no such file" : input.Reason()) << "\n";
        return ExitStatus::Failed;
    }
    const CliMessageBox boxes(context.Err);
    clsOffScreenDC surface;
    surface.LoadFile(arguments[0]);
    if (boxes.Shown() > 0) {
        return ExitStatus::Failed;
    }
    if (surface.DC() == 0) {
        context.Err << "quillax bmp24: " << EscapedText(arguments[0])
                    << ": not a bitmap file (it does not start with BM)\n";
        return ExitStatus::Failed;
    }
    return SaveSurface(surface, arguments[1], "bmp24", context);
}

} // namespace quillax
