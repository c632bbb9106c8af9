#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace quillax {

// A run-time error as the editor's platform raises it: a number and a description.
class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int32_t number, const std::string& description);

    int32_t Number() const { return ErrNumber; }
    const std::string& Description() const { return ErrDescription; }

private:
    int32_t ErrNumber;
    std::string ErrDescription;
};

namespace ErrNo {
inline constexpr int32_t InvalidCall = 5;
inline constexpr int32_t Overflow = 6;
inline constexpr int32_t OutOfMemory = 7;
inline constexpr int32_t SubscriptOutOfRange = 9;
inline constexpr int32_t ArrayFixedOrLocked = 10;
inline constexpr int32_t DivisionByZero = 11;
inline constexpr int32_t InternalError = 51;
inline constexpr int32_t BadFileNameOrNumber = 52;
inline constexpr int32_t FileNotFound = 53;
inline constexpr int32_t InputPastEndOfFile = 62;
inline constexpr int32_t PathFileAccessError = 75;
inline constexpr int32_t PathNotFound = 76;
inline constexpr int32_t InvalidPropertyValue = 380;
inline constexpr int32_t ControlArrayElementMissing = 340;
inline constexpr int32_t ObjectAlreadyLoaded = 360;
inline constexpr int32_t CantUnloadDesignControl = 362;
inline constexpr int32_t InvalidPicture = 481;
} // namespace ErrNo

// The platform's own description of an error number ("Overflow", "Subscript out of range", ...).
std::string ErrorDescription(int32_t number);

// Raises the error with the platform's description, optionally followed by detail.
[[noreturn]] void RaiseError(int32_t number, const std::string& detail = {});

} // namespace quillax
