#include "support/ProgramRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace quillax {

namespace {
// The editor as a terminal without any display starts it.
ProgramRun Editor(const std::vector<std::string>& arguments, std::vector<std::string> environment = {}) {
    ProgramSetup setup;
    setup.Environment = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
    setup.Environment.insert(setup.Environment.end(), environment.begin(), environment.end());
    setup.KillAfterSeconds = 20;
    return RunProgram(QUILLAX_EDITOR, arguments, setup);
}

::testing::AssertionResult OneLine(const std::string& text) {
    if (std::count(text.begin(), text.end(), '\n') == 1 && text.ends_with("\n")) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "not one line: " << text;
}
} // namespace

TEST(EditorProgram, HelpAndVersionAnswerWithoutADisplay) {
    const ProgramRun help = Editor({"--help"});
    EXPECT_EQ(help.Status, 0) << help.Err;
    EXPECT_TRUE(help.Out.starts_with("Usage: quillax-editor [options] [FILE.lin]\n")) << help.Out;
    EXPECT_NE(help.Out.find("--version"), std::string::npos);
    EXPECT_EQ(help.Err, "");
    EXPECT_EQ(Editor({"-h"}).Out, help.Out);
    const ProgramRun version = Editor({"--version"});
    EXPECT_EQ(version.Status, 0);
    EXPECT_EQ(version.Out, "quillax-editor " QUILLAX_VERSION "\n");
    EXPECT_EQ(version.Err, "");
}

TEST(EditorProgram, WithoutADisplayItSaysSoOnOneLineAndExitsWithOne) {
    const std::string why = "quillax-editor: cannot open a window: could not connect to display";
    const ProgramRun unset = Editor({});
    EXPECT_EQ(unset.Signal, 0) << "never Qt's abort";
    EXPECT_EQ(unset.Status, 1);
    EXPECT_EQ(unset.Err, why + " (DISPLAY is not set)\n");
    EXPECT_EQ(unset.Out, "");
    // A display that no server answers, and a file that is never read.
    const ProgramRun gone = Editor({"ship.lin"}, {"DISPLAY=:4793"});
    EXPECT_EQ(gone.Status, 1);
    EXPECT_EQ(gone.Err, why + " :4793\n");
    const ProgramRun plugin = Editor({}, {"QT_QPA_PLATFORM=nowhere"});
    EXPECT_EQ(plugin.Status, 1);
    EXPECT_TRUE(OneLine(plugin.Err));
    EXPECT_NE(plugin.Err.find("\"nowhere\""), std::string::npos) << plugin.Err;
}

TEST(EditorProgram, UsageErrorsAreNamedOnceTheDisplayIsOpen) {
    const ProgramRun unknown = Editor({"--fly"}, {"QT_QPA_PLATFORM=offscreen"});
    EXPECT_EQ(unknown.Status, 2);
    EXPECT_NE(unknown.Err.find("quillax-editor: Unknown option 'fly'."), std::string::npos) << unknown.Err;
    EXPECT_EQ(Editor({"--help-all"}, {"QT_QPA_PLATFORM=offscreen"}).Status, 2);
    EXPECT_EQ(Editor({"a.lin", "b.lin"}, {"QT_QPA_PLATFORM=offscreen"}).Status, 2);
    // Qt's own options are Qt's: taken out before the editor reads its command line.
    const ProgramRun qtOption = Editor({"-platform", "offscreen", "--help"});
    EXPECT_EQ(qtOption.Status, 0) << qtOption.Err;
    EXPECT_TRUE(qtOption.Out.starts_with("Usage: quillax-editor")) << qtOption.Out;
}

} // namespace quillax
