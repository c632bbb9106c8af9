#include "quillax/CliCommand.h"

#include "fileio/OutputFile.h"
#include "platform/RuntimeError.h"
#include "quillax/ObjectSummary.h"
#include "surface/clsOffScreenDC.h"

#include <algorithm>

namespace quillax {

bool WantsHelp(const std::vector<std::string>& arguments) {
    return std::any_of(arguments.begin(), arguments.end(),
                       [](const std::string& a) { return a == "--help" || a == "-h"; });
}

void ReportFileError(const CliContext& context, const char* command, const std::string& file,
                     const RuntimeError& error) {
    context.Err << "quillax " << command << ": " << EscapedText(file) << ": error " << error.Number() << ": "
                << EscapedText(error.Description()) << "\n";
}

int SaveSurface(clsOffScreenDC& surface, const std::string& file, const char* command,
                const CliContext& context) {
    try {
        surface.SaveFile(file);
    } catch (const RuntimeError& error) {
        context.Err << "quillax " << command << ": error " << error.Number() << ": "
                    << EscapedText(error.Description()) << "\n";
        return ExitStatus::Failed;
    }
    return ExitStatus::Ok;
}

int WriteOutput(const std::string& file, const char* command, const CliContext& context,
                const std::function<std::string(QIODevice&)>& body) {
    const WriteOutcome outcome = WriteWholeFile(file, body);
    if (!outcome.Ok()) {
        context.Err << "quillax " << command << ": cannot write " << EscapedText(file) << ": "
                    << EscapedText(outcome.Reason) << "\n";
        return ExitStatus::Failed;
    }
    return ExitStatus::Ok;
}

} // namespace quillax
