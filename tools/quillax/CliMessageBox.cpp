#include "quillax/CliMessageBox.h"

#include "quillax/CliText.h"

#include <algorithm>

namespace quillax {

CliMessageBox::CliMessageBox(std::ostream& err)
    : StderrMessageBox(err), Previous(SetMessageBoxService(this)) {}

CliMessageBox::~CliMessageBox() {
    SetMessageBoxService(Previous);
}

// The box's own line breaks stay; whatever its text quotes (a file name) shows as one line.
int32_t CliMessageBox::Show(const std::string& prompt, int32_t style, const std::string& title) {
    ++Count;
    std::string shown;
    for (size_t at = 0; at <= prompt.size();) {
        const size_t end = std::min(prompt.find("\r\n", at), prompt.size());
        shown += EscapedText(prompt.substr(at, end - at)) + (end < prompt.size() ? "\r\n" : "");
        at = end + 2;
    }
    return StderrMessageBox::Show(shown, style, title);
}

} // namespace quillax
