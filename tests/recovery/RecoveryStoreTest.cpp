#include "recovery/LeftoverCopies.h"
#include "recovery/RecoveryAbout.h"
#include "recovery/RecoveryFolder.h"
#include "recovery/RecoverySlot.h"
#include "recovery/RecoveryWriter.h"
#include "support/RecoveryCopies.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quillax {

namespace {
std::vector<uint8_t> Text(const std::string& text) {
    return {text.begin(), text.end()};
}
} // namespace

TEST(RecoveryFolder, IsTheEditorsPlaceInTheStateFolder) {
    const std::string state = qEnvironmentVariable("XDG_STATE_HOME").toStdString();
    EXPECT_EQ(RecoveryFolder(), state + "/quillax-editor/recovery");
    qputenv("XDG_STATE_HOME", "relative/is/ignored");
    EXPECT_EQ(RecoveryFolder(),
              qEnvironmentVariable("HOME").toStdString() + "/.local/state/quillax-editor/recovery");
    qputenv("XDG_STATE_HOME", state.c_str());
}

TEST(RecoveryAbout, AnyPathAndStampReadBackAsWritten) {
    const RecoveryAbout about{std::string("/home/a b/%41\n\xff.lin"),
                              FileStamp{1, 2, 3, -4, 0xFFFFFFFFFFFFFFFF}};
    EXPECT_EQ(ParseAbout(AboutText(about)), about);
    EXPECT_EQ(AboutText(about).find('\xff'), std::string::npos);
    const RecoveryAbout noFile{};
    EXPECT_EQ(ParseAbout(AboutText(noFile)), noFile);
    for (const char* broken :
         {"", "quillax-editor recovery copy\n", "quillax-editor recovery copy\nfile %4\n",
          "quillax-editor recovery copy\nfile /a\nstamp 1 2\n", "file /a\n"}) {
        EXPECT_EQ(ParseAbout(broken), std::nullopt) << broken;
    }
}

// A name is held by its lock: while its editor runs no other takes it, and once the editor is gone
// (its lock released with the process) the next one finds what it left.
TEST(RecoverySlot, ARunningEditorsCopyIsNeverALeftoverAndAStoppedOnesIs) {
    TempFolder folder;
    const std::string copies = folder.Path("state/recovery");
    std::shared_ptr<RecoverySlot> running = RecoverySlot::Claim(copies);
    std::shared_ptr<RecoverySlot> second = RecoverySlot::Claim(copies);
    ASSERT_TRUE(running && second);
    EXPECT_NE(running->Name(), second->Name());
    EXPECT_EQ(RecoverySlot::Take(copies, running->Name()), nullptr);
    {
        RecoveryWriter writer;
        writer.Write(running, {1, 2, 3}, AboutText({"/a.lin", std::nullopt}));
        writer.Write(second, {4}, AboutText({"", std::nullopt}));
        writer.Remove(second);
        writer.Release(second);
    }
    second.reset();
    EXPECT_TRUE(FindLeftovers(copies).empty());
    EXPECT_EQ(RecoveryCopies::Files(copies, ".lock").size(), 1u) << "the second gave its name up";

    const std::string name = running->Name();
    running.reset();
    std::vector<LeftoverCopy> left = FindLeftovers(copies);
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].Slot->Name(), name);
    EXPECT_EQ(left[0].About.Path, "/a.lin");
    EXPECT_EQ(RecoveryCopies::Bytes(left[0].Slot->CopyPath()), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_TRUE(FindLeftovers(copies).empty()) << "held by the first finder while it decides";
    left.clear();
    EXPECT_EQ(FindLeftovers(copies).size(), 1u) << "kept for later";
}

TEST(RecoverySlot, WhatAStoppedEditorLeftWithoutACopyIsClearedAway) {
    TempFolder folder;
    const std::string copies = folder.Path("recovery");
    RecoveryCopies::LeaveCopy(copies, {9, 9}, {"/kept.lin", std::nullopt});
    std::filesystem::remove(RecoveryCopies::Files(copies, ".about").front());
    RecoverySlot::Claim(copies).reset();
    WriteWholeFile(copies + "/7-0.about", Text("quillax-editor recovery copy\nfile /x\n"));
    WriteWholeFile(copies + "/.hidden.lin", Text("temporary"));
    const std::vector<LeftoverCopy> left = FindLeftovers(copies);
    ASSERT_EQ(left.size(), 1u) << "a copy that says nothing of itself is still a copy";
    EXPECT_EQ(left[0].About, RecoveryAbout{});
    EXPECT_EQ(RecoveryCopies::Files(copies, ".lock").size(), 1u);
    EXPECT_EQ(RecoveryCopies::Files(copies, ".about").size(), 0u);
    EXPECT_TRUE(std::filesystem::exists(copies + "/.hidden.lin")) << "not a name of ours";
}

} // namespace quillax
