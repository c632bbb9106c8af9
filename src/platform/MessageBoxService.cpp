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

size_t MsgAsk(const std::string& prompt, const std::vector<std::string>& answers, size_t preferred,
              const std::string& title) {
    MessageBoxService* box = InstalledBox ? InstalledBox : &FallbackBox;
    return box->Ask(prompt, answers, preferred, title);
}

size_t MessageBoxService::Ask(const std::string& prompt, const std::vector<std::string>& answers, size_t,
                              const std::string& title) {
    std::string listed;
    for (const std::string& answer : answers) {
        listed += (listed.empty() ? "\r\n\r\n[" : " / ") + answer;
    }
    Show(prompt + listed + (listed.empty() ? "" : "]"), MsgBoxStyle::OkOnly, title);
    return answers.empty() ? 0 : answers.size() - 1;
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
