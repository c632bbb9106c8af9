#include "quillax/CliCommand.h"

#include "platform/RuntimeError.h"
#include "surface/clsOffScreenDC.h"

#include <algorithm>

namespace quillax {

bool WantsHelp(const std::vector<std::string>& arguments) {
    return std::any_of(arguments.begin(), arguments.end(),
                       [](const std::string& a) { return a == "--help" || a == "-h"; });
}

void ReportFileError(const CliContext& context, const char* command, const std::string& file,
                     const RuntimeError& error) {
    context.Err << "quillax " << command << ": " << file << ": error " << error.Number() << ": "
                << error.Description() << "\n";
}

int SaveSurface(clsOffScreenDC& surface, const std::string& file, const char* command,
                const CliContext& context) {
    try {
        surface.SaveFile(file);
    } catch (const RuntimeError& error) {
        ReportFileError(context, command, file, error);
        return ExitStatus::Failed;
    }
    return ExitStatus::Ok;
}

} // namespace quillax
