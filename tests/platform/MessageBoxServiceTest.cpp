#include "platform/MessageBoxService.h"
#include "platform/ProgramFolder.h"
#include "support/RecordingMessageBox.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quillax {

TEST(MessageBoxService, RecorderCapturesAndRestores) {
    {
        RecordingMessageBox outer;
        {
            RecordingMessageBox inner;
            MsgBox("a", MsgBoxStyle::Critical, "t");
            ASSERT_EQ(inner.Records.size(), 1u);
            EXPECT_EQ(inner.Records[0].Style, 16);
        }
        MsgBox("b", MsgBoxStyle::OkOnly, "u");
        ASSERT_EQ(outer.Records.size(), 1u);
        EXPECT_EQ(outer.Records[0].Prompt, "b");
    }
}

// Without a window a question is told on standard error and gets its safe answer.
TEST(MessageBoxService, AQuestionWithoutAWindowGetsItsLastAnswer) {
    std::ostringstream err;
    StderrMessageBox box(err);
    MessageBoxService* before = SetMessageBoxService(&box);
    EXPECT_EQ(MsgAsk("Overwrite?\r\nReally", {"Overwrite", "Cancel"}, 0, "t"), 1u);
    SetMessageBoxService(before);
    EXPECT_EQ(err.str(), "t: Overwrite?\nReally\n\n[Overwrite / Cancel]\n");
}

TEST(ProgramFolder, CanBePointedElsewhere) {
    const std::string real = ProgramFolder();
    EXPECT_FALSE(real.empty());
    EXPECT_NE(real.back(), '/');
    SetProgramFolder("/tmp/x");
    EXPECT_EQ(ProgramFolder(), "/tmp/x");
    SetProgramFolder("");
    EXPECT_EQ(ProgramFolder(), real);
}

} // namespace quillax
