#include "quillax/CliBmp24.h"

#include "gdi/PictureService.h"
#include "platform/InputFile.h"
#include "quillax/CliMessageBox.h"
#include "quillax/CommandLine.h"
#include "quillax/OutputFormat.h"
#include "quillax/StandardStreams.h"
#include "sceneexport/SceneExport.h"
#include "surface/clsOffScreenDC.h"

#include <cerrno>

namespace quillax {

namespace {
const char* const Bmp24About =
    "Loads a 1-, 4-, 8- or 24-bit bitmap file and writes it as a 24-bit bitmap. What the surface\n"
    "would show in its error box is printed here; the exit status is then 1. INPUT - is standard\n"
    "input, OUTPUT - standard output.\n";

const std::vector<ExportFormat> Bmp24Formats = {ExportFormat::Bmp};

// The input loaded into the surface; false after telling context.Err why not.
bool LoadBitmap(const std::string& name, clsOffScreenDC& surface, const CliMessageBox& boxes,
                const CliContext& context) {
    const InputPath input = OpenableInput(name);
    const InputFile file(input.Path);
    if (input.Path.empty() || !file.IsOpen()) {
        ReportInputError(context, "bmp24", name,
                         input.Path.empty()       ? input.Error
                         : file.Error() == ENOENT ? NoSuchFile
                                                  : file.Reason());
        return false;
    }
    const int32_t shown = boxes.Shown();
    surface.LoadFile(input.Path);
    if (boxes.Shown() > shown) {
        return false;
    }
    if (surface.DC() == 0) {
        ReportInputError(context, "bmp24", name, "not a bitmap file (it does not start with BM)");
        return false;
    }
    return true;
}
} // namespace

int CliBmp24(const CliContext& context) {
    CommandLine line("bmp24", {"INPUT OUTPUT", 2, 2}, Bmp24About, {FormatOption(Bmp24Formats), WaitOption()});
    if (const std::optional<int> done = line.Parse(context)) {
        return *done;
    }
    const std::string& output = line.Operands()[1];
    const FormatChoice choice = ChooseFormat(line, output, Bmp24Formats, "bmp24");
    const WaitChoice wait = ChooseWait(line);
    if (!choice.Format || !wait.Error.empty()) {
        return line.UsageError(context, choice.Format ? wait.Error : choice.Error);
    }
    const CliMessageBox boxes(context.Err, "bmp24");
    clsOffScreenDC surface;
    if (!LoadBitmap(line.Operands()[0], surface, boxes, context)) {
        return ExitStatus::Failed;
    }
    const QImage picture = PictureToImage(surface.GetPictureObject());
    const WriteOutcome outcome =
        WriteWholeFile(*OutputNamed(output, wait.Wait, context, "bmp24"),
                       [&](QIODevice& out) { return WritePicture(picture, *choice.Format, out); });
    return ReportWrite(outcome, output, "bmp24", context);
}

} // namespace quillax
