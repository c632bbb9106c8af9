#include "platform/MessageBoxService.h"

namespace quillax {

namespace {
StderrMessageBox FallbackBox;
MessageBoxService* InstalledBox = nullptr;
} // namespace

int32_t MsgBox(const std::string& prompt, int32_t style, const std::string& title) {
    MessageBoxService* box = InstalledBox ? InstalledBox : &FallbackBox;
    return box->Show(prompt, style, title);
}

MessageBoxService* SetMessageBoxService(MessageBoxService* service) {
    MessageBoxService* previous = InstalledBox;
    InstalledBox = service;
    return previous;
}

int32_t StderrMessageBox::Show(const std::string& prompt, int32_t, const std::string& title) {
    std::string text;
    for (char c : prompt) {
        if (c != '\r') {
            text += c;
        }
    }
    Out << title << ": " << text << '\n';
    return 1;
}

} // namespace quillax
