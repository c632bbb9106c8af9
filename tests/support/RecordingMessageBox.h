#pragma once

#include "platform/MessageBoxService.h"
#include "support/RecordingMessageBox.h"

#include <cstdint>
#include <deque>
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
        // The named answers of a question; none for a box of a style.
        std::vector<std::string> Answers;
    };

    RecordingMessageBox() : Previous(SetMessageBoxService(this)) {}
    ~RecordingMessageBox() override { SetMessageBoxService(Previous); }
    RecordingMessageBox(const RecordingMessageBox&) = delete;
    RecordingMessageBox& operator=(const RecordingMessageBox&) = delete;

    int32_t Show(const std::string& prompt, int32_t style, const std::string& title) override {
        Records.push_back({prompt, style, title, {}});
        return Answer;
    }

    size_t Ask(const std::string& prompt, const std::vector<std::string>& answers, size_t,
               const std::string& title) override {
        Records.push_back({prompt, -1, title, answers});
        if (Choices.empty()) {
            return answers.size() - 1;
        }
        const size_t chosen = Choices.front();
        Choices.pop_front();
        return chosen;
    }

    std::vector<Record> Records;
    // The button every box is closed with.
    int32_t Answer = MsgBoxResult::Ok;
    // The answers questions get, in turn; once they run out, each gets its last (safe) answer.
    std::deque<size_t> Choices;

private:
    MessageBoxService* Previous;
};

} // namespace quillax
