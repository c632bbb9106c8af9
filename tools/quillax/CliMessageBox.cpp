#include "quillax/CliMessageBox.h"

#include "quillax/CliText.h"

#include <algorithm>

namespace quillax {

CliMessageBox::CliMessageBox(std::ostream& err, const char* command)
    : Err(err), Command(command), Previous(SetMessageBoxService(this)) {}

CliMessageBox::~CliMessageBox() {
    SetMessageBoxService(Previous);
}

// The box's lines joined by "; ", the empty ones and one that only repeats the title left out
// ("Error: 75; Location: GetDCsObject; Path/File access error: ..."); whatever the text quotes (a
// file name) is escaped.
int32_t CliMessageBox::Show(const std::string& prompt, int32_t, const std::string& title) {
    ++Count;
    std::string shown = EscapedText(title);
    for (size_t at = 0; at <= prompt.size();) {
        const size_t end = std::min(prompt.find("\r\n", at), prompt.size());
        const std::string line = prompt.substr(at, end - at);
        if (!line.empty() && line != title) {
            shown += "; " + EscapedText(line);
        }
        at = end + 2;
    }
    Err << "quillax " << Command << ": " << shown << "\n";
    return MsgBoxResult::Ok;
}

} // namespace quillax
