#pragma once

#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

namespace quillax {

// Styles of the modal message box, as the designed toolkit numbers them.
namespace MsgBoxStyle {
inline constexpr int32_t OkOnly = 0;
inline constexpr int32_t OkCancel = 1;
inline constexpr int32_t YesNoCancel = 3;
inline constexpr int32_t Critical = 16;
inline constexpr int32_t Exclamation = 48;
} // namespace MsgBoxStyle

// The button a message box was closed with.
namespace MsgBoxResult {
inline constexpr int32_t Ok = 1;
inline constexpr int32_t Cancel = 2;
inline constexpr int32_t Yes = 6;
inline constexpr int32_t No = 7;
} // namespace MsgBoxResult

// The modal message box. The editor installs a real dialog, tests a recorder; anything else gets the
// standard-error fallback.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual int32_t Show(const std::string& prompt, int32_t style, const std::string& title) = 0;
    // A question answered with one of the named answers, `preferred` the default button; returns the
    // index of the one chosen. Escape, and a service that cannot ask, give the last: the safe one.
    virtual size_t Ask(const std::string& prompt, const std::vector<std::string>& answers, size_t preferred,
                       const std::string& title);
};

// Shows a message box through the installed service; returns the button pressed.
int32_t MsgBox(const std::string& prompt, int32_t style, const std::string& title);
// Asks a question through the installed service; returns the index of the answer chosen.
size_t MsgAsk(const std::string& prompt, const std::vector<std::string>& answers, size_t preferred,
              const std::string& title);

// Installs a service (not owned); nullptr restores the fallback. Returns the one it replaced.
MessageBoxService* SetMessageBoxService(MessageBoxService* service);

// Writes each message as "title: prompt" to standard error (or another stream): for hosts without a
// window.
class StderrMessageBox : public MessageBoxService {
public:
    explicit StderrMessageBox(std::ostream& out = std::cerr) : Out(out) {}
    int32_t Show(const std::string& prompt, int32_t style, const std::string& title) override;

private:
    std::ostream& Out;
};

} // namespace quillax
