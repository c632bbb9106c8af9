#pragma once

#include "platform/MessageBoxService.h"

namespace quillax {

// The real modal message box; installs itself for its lifetime.
class QtMessageBox : public MessageBoxService {
public:
    QtMessageBox();
    ~QtMessageBox() override;
    QtMessageBox(const QtMessageBox&) = delete;
    QtMessageBox& operator=(const QtMessageBox&) = delete;

    int32_t Show(const std::string& prompt, int32_t style, const std::string& title) override;
    size_t Ask(const std::string& prompt, const std::vector<std::string>& answers, size_t preferred,
               const std::string& title) override;

private:
    MessageBoxService* Previous;
};

} // namespace quillax
