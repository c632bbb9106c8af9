#pragma once

#include "platform/MessageBoxService.h"

#include <ostream>

namespace quillax {

// Shows each message box as "title: prompt" on a stream and counts them, installed for its lifetime:
// a surface that reported an error has failed the command.
class CliMessageBox : public StderrMessageBox {
public:
    explicit CliMessageBox(std::ostream& err);
    ~CliMessageBox() override;
    CliMessageBox(const CliMessageBox&) = delete;
    CliMessageBox& operator=(const CliMessageBox&) = delete;

    int32_t Show(const std::string& prompt, int32_t style, const std::string& title) override;
    int32_t Shown() const { return Count; }

private:
    MessageBoxService* Previous;
    int32_t Count = 0;
};

} // namespace quillax
