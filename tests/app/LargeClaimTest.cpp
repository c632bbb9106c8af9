#include "support/EditorFixture.h"

#include "browse/ListBox.h"

#include "platform/FileDescriptor.h"

#include <fcntl.h>
#include <unistd.h>

namespace quillax {

namespace {
// 32,767 meshes of 32,767 points each: a billion points, eight and a half gigabytes of file. The points
// are holes, so the file takes only its headers' blocks on disk.
void WriteBillionPointClaim(const std::string& path) {
    const FileDescriptor file(open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
    ASSERT_TRUE(file.IsOpen());
    const unsigned char header[14] = {0xDE, 0x7A, 0x3A, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0x7F};
    ASSERT_EQ(pwrite(file.Get(), header, sizeof header, 0), 14);
    const unsigned char mesh[20] = {0,    0,    0x80, 0x3F, 0, 0, 0x80, 0x3F, 0,    0,
                                    0x80, 0x3F, 0,    0,    0, 0, 0,    0,    0xFF, 0x7F};
    off_t at = 14;
    for (int k = 0; k < 32767; ++k) {
        ASSERT_EQ(pwrite(file.Get(), mesh, sizeof mesh, at), 20);
        at += 20 + 8 * 32767;
    }
    ASSERT_EQ(ftruncate(file.Get(), at), 0);
}

using LargeClaimTest = EditorFixture;

// Refused from its counts, before a point is read: no freeze, and the message says what it would take.
TEST_F(LargeClaimTest, AnObjectTooLargeForTheMemoryIsRefusedBeforeItIsRead) {
    const std::string claim = Folder.Path("Assets/PlayerTopb.lin");
    WriteBillionPointClaim(claim);
    Window->RunHandler([&] { Window->OpenObject(claim); });
    ASSERT_EQ(Boxes.Records.size(), 1u);
    EXPECT_EQ(Boxes.Records[0].Prompt.find("The object file could not be opened:\r\n" + claim +
                                           "\r\n\r\nIt is too large for the memory: the 1,073,676,289 points in "
                                           "32,767 meshes would take about 61.2 GB of memory, and "),
              0u)
        << Boxes.Records[0].Prompt;
    EXPECT_NE(Boxes.Records[0].Prompt.find(" are available.\r\n\r\nNothing was changed."), std::string::npos)
        << Boxes.Records[0].Prompt;
    EXPECT_TRUE(Window->Document().FilePath().empty());
    EXPECT_EQ(Window->LstMeshes->ListCount(), 0);

    Window->cmdLoadFile->click();
    ASSERT_EQ(Boxes.Records.size(), 2u);
    EXPECT_EQ(Boxes.Records[1].Prompt, "Run-time error '7':\r\n\r\nOut of memory") << "the designed text";
    EXPECT_EQ(Window->LstMeshes->ListCount(), 0);
}

} // namespace
} // namespace quillax
