#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <utility>

namespace quillax {

// Runs the window's event handlers so that no error leaves them into the event loop: a run-time error
// (or an exhausted allocation) is shown in a modal message box and the window stays usable. A handler
// raised from inside another (the mesh-list click that the load command sets off, a resize from the
// layout's growth step) leaves its error to the handler that raised it.
class HandlerGuard {
public:
    // `settle` runs when the outermost handler's work is done, and before a message box, whose event
    // loop may paint; `finish` runs after the outermost handler, error or not.
    HandlerGuard(std::function<void()> settle, std::function<void()> finish)
        : Settle(std::move(settle)), Finish(std::move(finish)) {}

    template <typename Handler> void Run(Handler&& handler);
    // Whether a handler is running, and how deep handlers are nested.
    int32_t Depth() const { return Nesting; }
    // Raises here the error a nested handler left, if any.
    void RethrowNested();

private:
    // Shows an error: a run-time error with its number, anything else as an internal error.
    void Report(std::exception_ptr error);

    std::function<void()> Settle;
    std::function<void()> Finish;
    int32_t Nesting = 0;
    std::exception_ptr NestedError;
};

template <typename Handler> void HandlerGuard::Run(Handler&& handler) {
    ++Nesting;
    if (Nesting > 1) {
        try {
            handler();
        } catch (...) {
            if (!NestedError) {
                NestedError = std::current_exception();
            }
        }
        --Nesting;
        return;
    }
    try {
        handler();
        Settle();
        RethrowNested();
    } catch (...) {
        NestedError = nullptr;
        Report(std::current_exception());
    }
    --Nesting;
    // Nothing is painted before the outermost handler ends; it repaints what all of them changed.
    Finish();
}

} // namespace quillax
