#include "support/EditorFixture.h"

#include "browse/ListBox.h"
#include "support/RecoveryCopies.h"

#include "document/ObjectDocument.h"
#include "objects/ObjectFileBytes.h"

#include <QApplication>
#include <QFileDialog>
#include <QTest>
#include <QTimer>

#include <filesystem>

namespace quillax {

namespace {
class ChangedOnDiskTest : public EditorFixture {
protected:
    void SetUp() override { Load(Ours()); }
    static LinObject Ours() { return MeshesOf({4, 3}); }
    static LinObject Theirs() { return MeshesOf({6}); }
    std::string File() const { return Folder.Path("Assets/PlayerTopb.lin"); }
    std::vector<uint8_t> OnDisk() const { return RecoveryCopies::Bytes(File()); }
    void Edit() {
        Window->picPoint_Click(0);
        QTest::keyClick(Window->picMain, Qt::Key_Left);
    }
    // Another program writes the file: a new file renamed over it, as editors and cp do.
    void ReplaceFromOutside(const LinObject& object) {
        WriteLinFile(File() + ".new", LinBytes(object));
        std::filesystem::rename(File() + ".new", File());
    }
    // The user comes back to the window.
    void Activate() {
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(Window.get(), &activate);
        QTest::qWait(20);
    }
    const std::vector<std::string> OverwriteAnswers{"Overwrite", "Save As...", "Cancel"};
};

TEST_F(ChangedOnDiskTest, AFileChangedByAnotherProgramIsNeverOverwrittenWithoutAsking) {
    Edit();
    ReplaceFromOutside(Theirs());
    Action("mnuSave")->trigger();
    ASSERT_EQ(Boxes.Records.size(), 1u);
    EXPECT_EQ(Boxes.Records[0].Answers, OverwriteAnswers);
    EXPECT_NE(Boxes.Records[0].Prompt.find("Another program changed this file since the editor last read or "
                                           "saved it:\r\n" +
                                           File()),
              std::string::npos);
    EXPECT_EQ(OnDisk(), LinBytes(Theirs())) << "cancelled";
    EXPECT_TRUE(Window->isWindowModified());

    const std::string elsewhere = Folder.Path("mine.lin");
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(QString::fromStdString(elsewhere));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    Boxes.Choices = {1};
    Action("mnuSave")->trigger();
    EXPECT_EQ(RecoveryCopies::Bytes(elsewhere), ObjectFileBytes(CurrentObject)) << "saved as";
    EXPECT_EQ(OnDisk(), LinBytes(Theirs()));
    EXPECT_EQ(Window->Document().FilePath(), elsewhere);

    ASSERT_TRUE(Window->SaveObject(File())) << "another file than the document's: the dialog asked already";
    ReplaceFromOutside(Theirs());
    Boxes.Choices = {0};
    EXPECT_TRUE(Window->SaveObject(File()));
    EXPECT_EQ(OnDisk(), ObjectFileBytes(CurrentObject)) << "overwritten, as chosen";
    EXPECT_EQ(Boxes.Records.size(), 3u);
}

TEST_F(ChangedOnDiskTest, TheSameBytesWrittenAgainAndASaveAfterOursAreNoChange) {
    Edit();
    ReplaceFromOutside(Ours());
    std::filesystem::last_write_time(File(),
                                     std::filesystem::last_write_time(File()) + std::chrono::hours(1));
    EXPECT_TRUE(Window->SaveObject(File()));
    Edit();
    EXPECT_TRUE(Window->SaveObject(File()));
    Activate();
    EXPECT_TRUE(Boxes.Records.empty());
}

// Another editor (B) saving the file this one (A) has open is another program changing it.
TEST_F(ChangedOnDiskTest, TwoEditorsOnOneFileAskBeforeEitherLosesTheOthersSave) {
    ObjectDocument other;
    ASSERT_TRUE(other.Open(File()));
    other.MovePoints(1, {{0, 0, 0, 9, 9}});
    Edit();
    ASSERT_TRUE(WriteWholeFile(File(), ObjectFileBytes(other.Object())).Ok());
    other.Saved(File());
    Action("mnuSave")->trigger();
    ASSERT_EQ(Boxes.Records.size(), 1u);
    EXPECT_EQ(Boxes.Records[0].Answers, OverwriteAnswers);
    EXPECT_EQ(OnDisk(), ObjectFileBytes(other.Object())) << "B's save is kept";
}

TEST_F(ChangedOnDiskTest, BackInTheWindowAnUnchangedDocumentOffersToReloadOnceForEachChange) {
    Activate();
    EXPECT_TRUE(Boxes.Records.empty());
    ReplaceFromOutside(Theirs());
    Boxes.Choices = {1};
    Activate();
    ASSERT_EQ(Boxes.Records.size(), 1u);
    EXPECT_EQ(Boxes.Records[0].Answers, (std::vector<std::string>{"Reload", "Keep this version"}));
    EXPECT_EQ(CurrentObject.MeshCount, 2) << "kept";
    Activate();
    EXPECT_EQ(Boxes.Records.size(), 1u) << "told once";

    ReplaceFromOutside(MeshesOf({3, 3, 3}));
    Boxes.Choices = {0};
    Activate();
    ASSERT_EQ(Boxes.Records.size(), 2u);
    EXPECT_EQ(ObjectFileBytes(CurrentObject), LinBytes(MeshesOf({3, 3, 3}))) << "reloaded";
    EXPECT_EQ(Window->LstMeshes->ListCount(), 3);
    Activate();
    EXPECT_EQ(Boxes.Records.size(), 2u);
}

TEST_F(ChangedOnDiskTest, BackInTheWindowUnsavedChangesAreKeptUnlessTheUserReloads) {
    Edit();
    const std::vector<uint8_t> edited = ObjectFileBytes(CurrentObject);
    ReplaceFromOutside(Theirs());
    Activate();
    ASSERT_EQ(Boxes.Records.size(), 1u);
    EXPECT_EQ(Boxes.Records[0].Answers, (std::vector<std::string>{"Reload", "Keep my changes"}));
    EXPECT_NE(Boxes.Records[0].Prompt.find("The changes made here are not saved"), std::string::npos);
    EXPECT_EQ(ObjectFileBytes(CurrentObject), edited);
    EXPECT_TRUE(Window->isWindowModified());
}

TEST_F(ChangedOnDiskTest, AVanishedFileIsSaidSoOnceAndSaveWritesItAgain) {
    Edit();
    std::filesystem::remove(File());
    Activate();
    Activate();
    ASSERT_EQ(Boxes.Records.size(), 1u);
    EXPECT_NE(Boxes.Records[0].Prompt.find("This file no longer exists:\r\n" + File()), std::string::npos);
    EXPECT_NE(Boxes.Records[0].Prompt.find("Save writes it again."), std::string::npos);
    Action("mnuSave")->trigger();
    EXPECT_EQ(OnDisk(), ObjectFileBytes(CurrentObject));
    EXPECT_FALSE(Window->isWindowModified());
    EXPECT_EQ(Boxes.Records.size(), 1u);
}

} // namespace
} // namespace quillax
