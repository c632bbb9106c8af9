#include "platform/RuntimeError.h"

namespace quillax {

RuntimeError::RuntimeError(int32_t number, const std::string& description)
    : std::runtime_error(description), ErrNumber(number), ErrDescription(description) {}

std::string ErrorDescription(int32_t number) {
    switch (number) {
    case ErrNo::InvalidCall:
        return "Invalid procedure call or argument";
    case ErrNo::Overflow:
        return "Overflow";
    case ErrNo::OutOfMemory:
        return "Out of memory";
    case ErrNo::SubscriptOutOfRange:
        return "Subscript out of range";
    case ErrNo::ArrayFixedOrLocked:
        return "This array is fixed or temporarily locked";
    case ErrNo::DivisionByZero:
        return "Division by zero";
    case ErrNo::InternalError:
        return "Internal error";
    case ErrNo::BadFileNameOrNumber:
        return "Bad file name or number";
    case ErrNo::FileNotFound:
        return "File not found";
    case ErrNo::InputPastEndOfFile:
        return "Input past end of file";
    case ErrNo::PathFileAccessError:
        return "Path/File access error";
    case ErrNo::PathNotFound:
        return "Path not found";
    case ErrNo::InvalidPropertyValue:
        return "Invalid property value";
    case ErrNo::ControlArrayElementMissing:
        return "Control array element doesn't exist";
    case ErrNo::ObjectAlreadyLoaded:
        return "Object already loaded";
    case ErrNo::CantUnloadDesignControl:
        return "Can't unload controls created at design time";
    case ErrNo::InvalidPicture:
        return "Invalid picture";
    default:
        return "Application-defined or object-defined error";
    }
}

void RaiseError(int32_t number, const std::string& detail) {
    std::string text = ErrorDescription(number);
    if (!detail.empty()) {
        text += ": " + detail;
    }
    throw RuntimeError(number, text);
}

} // namespace quillax
