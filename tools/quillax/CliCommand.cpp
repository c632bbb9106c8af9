#include "quillax/CliCommand.h"

#include "platform/RuntimeError.h"
#include "quillax/CliText.h"
#include "quillax/StandardStreams.h"

#include <new>
#include <stdexcept>
#include <unistd.h>

namespace quillax {

std::string ErrorText(const RuntimeError& error) {
    return "error " + std::to_string(error.Number()) + ": " + error.Description();
}

void ReportInputError(const CliContext& context, const char* command, const std::string& file,
                      const std::string& message) {
    context.Err << "quillax " << command << ": " << ShownInput(file) << ": " << EscapedText(message) << "\n";
}

std::unique_ptr<OutputFile> OutputNamed(const std::string& name, std::chrono::milliseconds wait,
                                        const CliContext& context, const char* command) {
    if (IsStandardStream(name)) {
        return std::make_unique<OutputFile>(STDOUT_FILENO);
    }
    const OutputPlan plan = PlanOutput(name);
    if (plan.Error == 0 && plan.ForeignOwner) {
        context.Err << "quillax " << command << ": " << ShownOutput(name) << " is " << ForeignOwnerText(plan)
                    << ": it is rewritten in place, keeping them\n";
    }
    auto file = std::make_unique<OutputFile>(name);
    file->SetReaderWait(wait);
    return file;
}

int ReportWrite(const WriteOutcome& outcome, const std::string& name, const char* command,
                const CliContext& context) {
    if (outcome.Ok()) {
        return ExitStatus::Ok;
    }
    context.Err << "quillax " << command << ": cannot write " << ShownOutput(name) << ": "
                << EscapedText(outcome.Reason) << "\n";
    return ExitStatus::Failed;
}

int RunReporting(const char* name, int (*run)(const CliContext&), const CliContext& context) {
    std::string reason;
    try {
        return run(context);
    } catch (const RuntimeError& error) {
        reason = ErrorText(error);
    } catch (const std::bad_alloc&) {
        reason = "out of memory";
    } catch (const std::exception& error) {
        reason = error.what();
    }
    context.Err << "quillax " << name << ": " << EscapedText(reason) << "\n";
    return ExitStatus::Failed;
}

} // namespace quillax
