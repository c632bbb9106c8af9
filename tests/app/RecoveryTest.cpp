#include "support/EditorFixture.h"

#include "browse/ListBox.h"
#include "support/RecoveryCopies.h"

#include "app/RecoveryOffer.h"
#include "document/ObjectDocument.h"
#include "objects/ObjectFileBytes.h"
#include "recovery/LeftoverCopies.h"
#include "recovery/RecoveryKeeper.h"

#include <QTest>
#include <QUndoStack>

#include <filesystem>

namespace quillax {

namespace {
// The copy is due within two seconds of an edit; the tests wait longer, for loaded machines.
constexpr int CopyWaitMilliseconds = 10000;

class RecoveryTest : public EditorFixture {
protected:
    std::string Copies() const { return Folder.Path("state/quillax-editor/recovery"); }
    std::string FixedFile() const { return Folder.Path("Assets/PlayerTopb.lin"); }
    size_t CopyCount() const { return RecoveryCopies::Files(Copies(), ".lin").size(); }
    bool WaitForCopies(size_t count) const {
        return QTest::qWaitFor([&] { return CopyCount() == count; }, CopyWaitMilliseconds);
    }
    // Moves point 0 of the chosen mesh one unit, as its arrow key does.
    void Edit() {
        if (CurrentPlacement.Selections[0].PointFlags[0] == 0) {
            Window->picPoint_Click(0);
        }
        Window->picMain->setFocus();
        QTest::keyClick(Window->picMain, Qt::Key_Left);
    }
    void OfferLeftovers() {
        Window->RunHandler([this] { Window->findChild<RecoveryOffer*>()->OfferLeftovers(); });
    }
    // The sample fixture with mesh 0's first point moved: an edit another editor did not save.
    std::vector<uint8_t> EditedBytes() const {
        LinObject edited = MeshesOf({4, 3});
        edited.Meshes[0].Points[0].first += 7;
        return LinBytes(edited);
    }
    void LeaveCopy(const std::string& file) {
        RecoveryCopies::LeaveCopy(Copies(), EditedBytes(), {file, StampOfFile(file)});
    }
};

TEST_F(RecoveryTest, UnsavedChangesAreKeptInACopyUntilSavedDiscardedOrClosed) {
    Load(MeshesOf({4, 3}));
    Edit();
    ASSERT_TRUE(WaitForCopies(1));
    const std::string copy = RecoveryCopies::Files(Copies(), ".lin").front();
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return RecoveryCopies::Bytes(copy) == ObjectFileBytes(CurrentObject);
    })) << "the object's bytes, as a save writes them";
    const std::vector<uint8_t> about =
        RecoveryCopies::Bytes(RecoveryCopies::Files(Copies(), ".about").front());
    EXPECT_EQ(ParseAbout(std::string(about.begin(), about.end())),
              (RecoveryAbout{FixedFile(), Window->Document().Stamp()}));
    EXPECT_EQ(std::filesystem::status(Copies()).permissions(), std::filesystem::perms::owner_all);

    Action("mnuSave")->trigger();
    const std::vector<uint8_t> saved = ObjectFileBytes(CurrentObject);
    EXPECT_TRUE(WaitForCopies(0)) << "saved";
    Edit();
    ASSERT_TRUE(WaitForCopies(1));
    Boxes.Answer = MsgBoxResult::No;
    Window->cmdLoadFile->click();
    EXPECT_TRUE(WaitForCopies(0)) << "discarded";
    Edit();
    ASSERT_TRUE(WaitForCopies(1));
    EXPECT_TRUE(Window->close());
    Window.reset();
    EXPECT_TRUE(std::filesystem::is_empty(Copies())) << "closed: no copy, no lock, nothing said of a copy";
    EXPECT_EQ(RecoveryCopies::Bytes(FixedFile()), saved);
}

TEST_F(RecoveryTest, TheNextEditorOffersALeftCopyAndRecoversItAsUnsavedChangesOfItsFile) {
    WriteObject(MeshesOf({4, 3}));
    LeaveCopy(FixedFile());
    Boxes.Choices = {2};
    OfferLeftovers();
    ASSERT_EQ(Boxes.Records.size(), 1u);
    EXPECT_EQ(Boxes.Records[0].Answers, (std::vector<std::string>{"Recover", "Discard", "Keep for later"}));
    EXPECT_NE(Boxes.Records[0].Prompt.find("were not saved when the editor stopped:\r\n" + FixedFile()),
              std::string::npos)
        << Boxes.Records[0].Prompt;
    EXPECT_TRUE(Window->Document().FilePath().empty()) << "kept for later";
    EXPECT_EQ(CopyCount(), 1u);

    Window.reset();
    Window = std::make_unique<frmMain>();
    Window->show();
    Boxes.Choices = {0};
    OfferLeftovers();
    ASSERT_EQ(Boxes.Records.size(), 2u) << "asked again at the next start";
    EXPECT_EQ(ObjectFileBytes(CurrentObject), EditedBytes());
    EXPECT_EQ(Window->Document().FilePath(), FixedFile());
    EXPECT_TRUE(Window->isWindowModified());
    EXPECT_EQ(Window->LstMeshes->ListCount(), 2);
    EXPECT_EQ(RecoveryCopies::Bytes(FixedFile()), LinBytes(MeshesOf({4, 3}))) << "the file is not written";
    EXPECT_TRUE(FindLeftovers(Copies()).empty()) << "the copy is this editor's now";
    EXPECT_EQ(CopyCount(), 1u);

    Action("mnuSave")->trigger();
    EXPECT_EQ(RecoveryCopies::Bytes(FixedFile()), EditedBytes());
    EXPECT_TRUE(WaitForCopies(0));
    EXPECT_EQ(Boxes.Records.size(), 2u);
}

TEST_F(RecoveryTest, OpeningAFileOffersOnlyACopyNewerThanTheFile) {
    WriteObject(MeshesOf({4, 3}));
    LeaveCopy(FixedFile());
    const auto copyTime = std::filesystem::last_write_time(RecoveryCopies::Files(Copies(), ".lin").front());
    std::filesystem::last_write_time(FixedFile(), copyTime + std::chrono::seconds(1));
    Window->cmdLoadFile->click();
    QTest::qWait(50);
    EXPECT_TRUE(Boxes.Records.empty()) << "the file is newer than the copy";

    std::filesystem::last_write_time(FixedFile(), copyTime - std::chrono::seconds(1));
    Boxes.Choices = {1};
    Window->cmdLoadFile->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Boxes.Records.empty(); }));
    ASSERT_EQ(Boxes.Records.size(), 1u);
    EXPECT_FALSE(Window->isWindowModified()) << "discarded";
    EXPECT_TRUE(std::filesystem::is_empty(Copies()));
}

TEST_F(RecoveryTest, ACopyOfAFileThatIsGoneIsRecoveredAndSavedAgain) {
    const std::string gone = Folder.Path("gone.lin");
    LeaveCopy(gone);
    Boxes.Choices = {0};
    OfferLeftovers();
    ASSERT_EQ(Boxes.Records.size(), 1u);
    EXPECT_NE(Boxes.Records[0].Prompt.find("The file no longer exists"), std::string::npos);
    EXPECT_EQ(Window->Document().FilePath(), gone);
    EXPECT_TRUE(Window->isWindowModified());
    EXPECT_TRUE(Window->SaveObject(gone));
    EXPECT_EQ(RecoveryCopies::Bytes(gone), EditedBytes());
    EXPECT_EQ(Boxes.Records.size(), 1u) << "nothing to overwrite, nothing asked";
}

// A copy that does not load is no recovery: the failure is said, and the next copy is still offered.
TEST_F(RecoveryTest, ACopyThatCannotBeReadIsSaidSoAndTheNextCopyIsOffered) {
    WriteObject(MeshesOf({4, 3}));
    LeaveCopy(FixedFile());
    const std::string good = RecoveryCopies::Files(Copies(), ".lin").front();
    RecoveryCopies::LeaveCopy(Copies(), {'n', 'o', 't'}, {FixedFile(), StampOfFile(FixedFile())});
    std::vector<std::string> copies = RecoveryCopies::Files(Copies(), ".lin");
    std::erase(copies, good);
    ASSERT_EQ(copies.size(), 1u);
    std::filesystem::last_write_time(copies[0],
                                     std::filesystem::last_write_time(good) + std::chrono::seconds(1));
    Boxes.Choices = {0, 0};
    OfferLeftovers();
    ASSERT_EQ(Boxes.Records.size(), 3u) << "the newest copy, its failure, then the next copy";
    EXPECT_NE(Boxes.Records[1].Prompt.find(copies[0]), std::string::npos) << Boxes.Records[1].Prompt;
    EXPECT_EQ(Boxes.Records[2].Answers, (std::vector<std::string>{"Recover", "Discard", "Keep for later"}));
    EXPECT_EQ(ObjectFileBytes(CurrentObject), EditedBytes());
    EXPECT_EQ(Window->Document().FilePath(), FixedFile());
    EXPECT_TRUE(Window->isWindowModified());
}

TEST_F(RecoveryTest, TwoEditorsKeepCopiesOfTheirOwnAndNeitherOffersTheOthers) {
    Load(MeshesOf({4, 3}));
    ObjectDocument other;
    RecoveryKeeper otherKeeper(other, Copies());
    other.Replace(ObjectFile(CurrentObject), ObjectPlacement(CurrentPlacement));
    other.MovePoints(0, {{0, 0, 0, 5, 5}});
    Edit();
    ASSERT_TRUE(WaitForCopies(2));
    OfferLeftovers();
    EXPECT_TRUE(Boxes.Records.empty()) << "a running editor's copy is no leftover";
    EXPECT_TRUE(FindLeftovers(Copies()).empty());
    other.History().undo();
    EXPECT_TRUE(WaitForCopies(1)) << "undone back to the saved state";
}

} // namespace
} // namespace quillax
