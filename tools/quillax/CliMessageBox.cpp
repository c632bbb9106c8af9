#include "CliMessageBox.h"

CliMessageBox::CliMessageBox(std::ostream& err) : Err(err), Previous(SetMessageBoxService(this)) {}

CliMessageBox::~CliMessageBox() {
    SetMessageBoxService(Previous);
}

int32_t CliMessageBox::Show(const std::string& prompt, int32_t, const std::string& title) {
    ++Count;
    std::string text;
    for (const char c : prompt) {
        if (c != '\r') {
            text += c;
        }
    }
    Err << title << ": " << text << '\n';
    return 1;
}
