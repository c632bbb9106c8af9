#include "app/OpenFailure.h"

#include "platform/RuntimeError.h"

#include <filesystem>
#include <new>

namespace quillax {

namespace {
// The loader's description names the file last; the message names it first.
std::string WithoutFile(std::string description, const std::string& path) {
    for (const std::string& suffix : {" of " + path, path + ": ", path}) {
        const size_t at = description.find(suffix);
        if (at != std::string::npos) {
            description.erase(at, suffix.size());
        }
    }
    return description;
}

// The detail after the error's own name ("Input past end of file: the file ends ...").
std::string DetailOf(const std::string& description) {
    const size_t colon = description.find(": ");
    return colon == std::string::npos ? description : description.substr(colon + 2);
}

std::string ReasonOf(const RuntimeError& error, const std::string& path) {
    const std::string detail = DetailOf(WithoutFile(error.Description(), path));
    switch (error.Number()) {
    case ErrNo::InputPastEndOfFile:
        return "It ends too early: " + detail + ".";
    case ErrNo::SubscriptOutOfRange:
    case ErrNo::Overflow:
        return "A count in it is out of range: " + detail + ".";
    case ErrNo::PathNotFound:
        return "Its folder does not exist.";
    case ErrNo::PathFileAccessError:
        return "It cannot be read: " + detail + ".";
    case ErrNo::OutOfMemory:
        return detail == error.Description() ? "There is not enough memory to load it."
                                             : "It is too large for the memory: " + detail + ".";
    default:
        return error.Description() + ".";
    }
}

// No object file there: missing, empty, or something else.
std::string NoObjectReason(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        return "The file is missing.";
    }
    if (std::filesystem::is_regular_file(path, error) && std::filesystem::file_size(path, error) == 0) {
        return "The file is empty.";
    }
    return "It is not an object file: it does not start with the object file magic DE 7A 3A 00.";
}

std::string Reason(const std::string& path, std::exception_ptr error) {
    if (!error) {
        return NoObjectReason(path);
    }
    try {
        std::rethrow_exception(error);
    } catch (const RuntimeError& runtime) {
        return ReasonOf(runtime, path);
    } catch (const std::bad_alloc&) {
        return "There is not enough memory to load it.";
    }
}
} // namespace

std::string OpenFailureText(const std::string& path, std::exception_ptr error) {
    return "The object file could not be opened:\r\n" + path + "\r\n\r\n" + Reason(path, error) +
           "\r\n\r\nNothing was changed.";
}

} // namespace quillax
