#include "support/EditorFixture.h"

#include "app/frmMain.h"
#include "browse/ListBox.h"
#include "browse/SelectorStrip.h"
#include "drawingarea/DrawingArea.h"
#include "objects/modObjects.h"
#include "platform/ProgramFolder.h"
#include "platform/RuntimeError.h"

#include <QPushButton>

#include <filesystem>

#include <sys/stat.h>

namespace quillax {

namespace {
class LoadCommandTest : public EditorFixture {
protected:
    void ExpectCounts(int nodes, int joints, int points, int lines) {
        EXPECT_EQ(Window->picMain->Scene().Node.Count(), nodes);
        EXPECT_EQ(Window->picMain->Scene().Joint.Count(), joints);
        EXPECT_EQ(Window->picPoint.Count(), points);
        EXPECT_EQ(Window->picLine.Count(), lines);
    }
    void ExpectEmptyEditor() {
        EXPECT_TRUE(Window->picMain->Scene().Node.IsEmpty());
        EXPECT_TRUE(Window->picMain->Scene().Joint.IsEmpty());
        EXPECT_TRUE(Window->picPoint.IsEmpty());
        EXPECT_TRUE(Window->picLine.IsEmpty());
        EXPECT_EQ(Window->LstMeshes->count(), 0);
        EXPECT_EQ(CurrentObject.MeshCount, 0);
        EXPECT_TRUE(CurrentObject.Meshes.empty());
        EXPECT_TRUE(CurrentPlacement.Selections.empty());
    }
    bool AllFlagsClear() {
        for (const MeshSelection& selection : CurrentPlacement.Selections) {
            for (const int16_t flag : selection.PointFlags) {
                if (flag != 0) {
                    return false;
                }
            }
            for (const int16_t flag : selection.LineFlags) {
                if (flag != 0) {
                    return false;
                }
            }
        }
        return true;
    }
};
} // namespace

TEST_F(LoadCommandTest, LoadsEveryMeshAndChoosesTheFirst) {
    Load(MeshesOf({3, 4}));
    ASSERT_EQ(Window->LstMeshes->count(), 2);
    EXPECT_EQ(Window->LstMeshes->item(0)->text(), "Mesh 0");
    EXPECT_EQ(Window->LstMeshes->item(1)->text(), "Mesh 1");
    EXPECT_EQ(Window->LstMeshes->ListIndex(), 0);
    ExpectCounts(7, 5, 3, 2);
    EXPECT_TRUE(Boxes.Records.empty());
}

TEST_F(LoadCommandTest, ChoosingAMeshResizesTheStripsAndClearsEveryMark) {
    Load(MeshesOf({3, 4}));
    Window->PaintPointBox(0, 1);
    Window->PaintLineBox(0, 0);
    CurrentPlacement.Selections[1].PointFlags[3] = 5;
    Window->LstMeshes->SetListIndex(1);
    ExpectCounts(7, 5, 4, 3);
    EXPECT_TRUE(AllFlagsClear());
    for (int16_t k = 0; k < 4; ++k) {
        EXPECT_EQ(Window->picTopBar->ShownColour(k), 128);
    }
    for (int16_t k = 0; k < 3; ++k) {
        EXPECT_EQ(Window->picSideBar->ShownColour(k), 32768);
    }
    Window->LstMeshes->SetListIndex(0);
    ExpectCounts(7, 5, 3, 2);
}

TEST_F(LoadCommandTest, ASecondLoadEqualsTheFirst) {
    Load(MeshesOf({3, 4}));
    Window->LstMeshes->SetListIndex(1);
    Window->PaintPointBox(1, 2);
    Window->cmdLoadFile->click();
    ExpectCounts(7, 5, 3, 2);
    EXPECT_EQ(Window->LstMeshes->count(), 2);
    EXPECT_EQ(Window->LstMeshes->ListIndex(), 0);
    EXPECT_TRUE(AllFlagsClear());
    EXPECT_TRUE(Window->picMain->Scene().NodeAt(6).Visible);
}

TEST_F(LoadCommandTest, AMissingFileIsReportedAndLeavesTheEditorEmpty) {
    Load(MeshesOf({3, 4}));
    std::filesystem::remove(Folder.Path("Assets/PlayerTopb.lin"));
    Window->cmdLoadFile->click();
    ExpectEmptyEditor();
    ASSERT_EQ(Boxes.Records.size(), 1u);
    EXPECT_NE(Boxes.Records[0].Prompt.find("PlayerTopb.lin"), std::string::npos);
    EXPECT_NE(Boxes.Records[0].Prompt.find("missing"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(Folder.Path("Assets/PlayerTopb.lin")));
}

TEST_F(LoadCommandTest, AFileWithTheWrongMagicIsNotAnObjectFile) {
    WriteObjectBytes({'B', 'M', 0, 0, 0, 0});
    Window->cmdLoadFile->click();
    ExpectEmptyEditor();
    ASSERT_EQ(Boxes.Records.size(), 1u);
    EXPECT_NE(Boxes.Records[0].Prompt.find("not an object file"), std::string::npos);
}

TEST_F(LoadCommandTest, ABrokenFileIsAnErrorBoxAndTheEditorStaysUsable) {
    LinObject broken = MeshesOf({3, 4});
    broken.Meshes[1].PointCountOverride = 1;
    Load(broken);
    ExpectEmptyEditor();
    ASSERT_EQ(Boxes.Records.size(), 1u);
    EXPECT_EQ(Boxes.Records[0].Style, 16);
    EXPECT_NE(Boxes.Records[0].Prompt.find("Run-time error '9'"), std::string::npos);

    auto truncated = LinBytes(MeshesOf({3, 4}));
    truncated.resize(truncated.size() - 3);
    WriteObjectBytes(truncated);
    Window->cmdLoadFile->click();
    ExpectEmptyEditor();
    ASSERT_EQ(Boxes.Records.size(), 2u);
    EXPECT_NE(Boxes.Records[1].Prompt.find("byte offset"), std::string::npos);

    Load(MeshesOf({2}));
    ExpectCounts(2, 1, 2, 1);
    EXPECT_EQ(Boxes.Records.size(), 2u);
}

TEST_F(LoadCommandTest, TheDefaultPathIsTheRepositoryAssetNamedCleanly) {
    SetProgramFolder("");
    const std::filesystem::path path = Window->ObjectFilePath();
    EXPECT_EQ(path,
              (std::filesystem::path(ProgramFolder()) / "../../Assets/PlayerTopb.lin").lexically_normal());
    EXPECT_TRUE(path.is_absolute());
}

TEST_F(LoadCommandTest, UnopenablePathsAreErrorBoxesAndLeaveTheEditorEmpty) {
    const std::filesystem::path file = Folder.Path("Assets/PlayerTopb.lin");
    const auto loadAfter = [&](auto breakThePath) {
        Load(MeshesOf({3, 4}));
        std::filesystem::remove(file);
        breakThePath();
        Window->cmdLoadFile->click();
        ExpectEmptyEditor();
    };
    loadAfter([&] { std::filesystem::create_directory(file); });
    std::filesystem::remove(file);
    loadAfter([&] { std::filesystem::create_symlink("PlayerTopb.lin", file); }); // unreadable for anyone
    std::filesystem::remove(file);
    loadAfter([&] { mkfifo(file.c_str(), 0600); }); // answered at once, never waited on
    std::filesystem::remove(file);
    loadAfter([&] { std::filesystem::remove(Folder.Path("Assets")); });
    EXPECT_FALSE(std::filesystem::exists(Folder.Path("Assets"))) << "the load creates nothing";

    ASSERT_EQ(Boxes.Records.size(), 4u);
    EXPECT_NE(Boxes.Records[0].Prompt.find("Run-time error '75'"), std::string::npos)
        << Boxes.Records[0].Prompt;
    EXPECT_NE(Boxes.Records[1].Prompt.find("Run-time error '75'"), std::string::npos)
        << Boxes.Records[1].Prompt;
    EXPECT_NE(Boxes.Records[2].Prompt.find("Run-time error '75'"), std::string::npos)
        << Boxes.Records[2].Prompt;
    EXPECT_NE(Boxes.Records[2].Prompt.find("PlayerTopb.lin: not a regular file"), std::string::npos)
        << Boxes.Records[2].Prompt;
    EXPECT_NE(Boxes.Records[3].Prompt.find("Run-time error '76'"), std::string::npos)
        << Boxes.Records[3].Prompt;

    std::filesystem::create_directory(Folder.Path("Assets"));
    Load(MeshesOf({2}));
    ExpectCounts(2, 1, 2, 1);
}

TEST_F(LoadCommandTest, MoreMarkersThanSixteenBitsCountStillLoad) {
    Load(MeshesOf({2, 32766}));
    ExpectCounts(32768, 32766, 2, 1);
    EXPECT_TRUE(Window->picMain->Scene().NodeAt(32767).Visible);
    EXPECT_TRUE(Boxes.Records.empty());
}

// The mesh-list click that the load sets off is part of the load: its error is the load's.
TEST_F(LoadCommandTest, AnErrorInTheNestedMeshListClickLeavesTheEditorEmpty) {
    WriteObject(MeshesOf({3, 4}));
    const QMetaObject::Connection failing = QObject::connect(Window->LstMeshes, &ListBox::Click, [this] {
        Window->RunHandler([] { RaiseError(ErrNo::Overflow, "in the click"); });
    });
    Window->cmdLoadFile->click();
    QObject::disconnect(failing);
    ASSERT_EQ(Boxes.Records.size(), 1u);
    EXPECT_NE(Boxes.Records[0].Prompt.find("Run-time error '6'"), std::string::npos);
    ExpectEmptyEditor();
    EXPECT_TRUE(Window->Document().FilePath().empty());
    Window->cmdLoadFile->click();
    ExpectCounts(7, 5, 3, 2);
}

} // namespace quillax
