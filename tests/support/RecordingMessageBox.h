#pragma once

#include "platform/MessageBoxService.h"
#include "support/RecordingMessageBox.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quillax {

// Records every box instead of showing it, and installs itself for its lifetime.
class RecordingMessageBox : public MessageBoxService {
public:
    struct Record {
        std::string Prompt;
        int32_t Style;
        std::string Title;
    };

    RecordingMessageBox() : Previous(SetMessageBoxService(this)) {}
    ~RecordingMessageBox() override { SetMessageBoxService(Previous); }
    RecordingMessageBox(const RecordingMessageBox&) = delete;
    RecordingMessageBox& operator=(const RecordingMessageBox&) = delete;

    int32_t Show(const std::string& prompt, int32_t style, const std::string& title) override {
        Records.push_back({prompt, style, title});
        return Answer;
    }

    std::vector<Record> Records;
    // The button every box is closed with.
    int32_t Answer = MsgBoxResult::Ok;

private:
    MessageBoxService* Previous;
};

} // namespace quillax
