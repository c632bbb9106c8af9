#include "app/HandlerGuard.h"

#include "platform/MessageBoxService.h"
#include "platform/RuntimeError.h"

#include <new>
#include <string>

namespace quillax {

void HandlerGuard::RethrowNested() {
    if (NestedError) {
        std::rethrow_exception(std::exchange(NestedError, nullptr));
    }
}

// An error in settling before the box is reported after the first.
void HandlerGuard::Report(std::exception_ptr error) {
    std::exception_ptr settling;
    try {
        Settle();
    } catch (...) {
        settling = std::current_exception();
    }
    int32_t number = ErrNo::InternalError;
    std::string description = ErrorDescription(ErrNo::InternalError);
    try {
        std::rethrow_exception(error);
    } catch (const RuntimeError& runtime) {
        number = runtime.Number();
        description = runtime.Description();
    } catch (const std::bad_alloc&) {
        number = ErrNo::OutOfMemory;
        description = ErrorDescription(ErrNo::OutOfMemory);
    } catch (const std::exception& other) {
        description += std::string(": ") + other.what();
    }
    MsgBox("Run-time error '" + std::to_string(number) + "':\r\n\r\n" + description, MsgBoxStyle::Critical,
           "Quillax Object Editor");
    if (settling) {
        Report(settling);
    }
}

} // namespace quillax
