#include "quillax/CliMessageBox.h"

namespace quillax {

CliMessageBox::CliMessageBox(std::ostream& err)
    : StderrMessageBox(err), Previous(SetMessageBoxService(this)) {}

CliMessageBox::~CliMessageBox() {
    SetMessageBoxService(Previous);
}

int32_t CliMessageBox::Show(const std::string& prompt, int32_t style, const std::string& title) {
    ++Count;
    return StderrMessageBox::Show(prompt, style, title);
}

} // namespace quillax
