#pragma once

#include "platform/MessageBoxService.h"

#include <ostream>

namespace quillax {

// Shows each message box on a stream as one line, "quillax COMMAND: title; the box's lines", and
// counts them, installed for its lifetime: a surface that reported an error has failed the command.
class CliMessageBox : public MessageBoxService {
public:
    CliMessageBox(std::ostream& err, const char* command);
    ~CliMessageBox() override;
    CliMessageBox(const CliMessageBox&) = delete;
    CliMessageBox& operator=(const CliMessageBox&) = delete;

    int32_t Show(const std::string& prompt, int32_t style, const std::string& title) override;
    int32_t Shown() const { return Count; }

private:
    std::ostream& Err;
    const char* Command;
    MessageBoxService* Previous;
    int32_t Count = 0;
};

} // namespace quillax
