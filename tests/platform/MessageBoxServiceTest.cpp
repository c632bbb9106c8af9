#include "platform/MessageBoxService.h"
#include "platform/ProgramFolder.h"
#include "support/RecordingMessageBox.h"

#include <gtest/gtest.h>

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
