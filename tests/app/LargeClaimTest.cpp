#include "support/BillionPointClaim.h"
#include "support/EditorFixture.h"

#include "browse/ListBox.h"

namespace quillax {

namespace {
using LargeClaimTest = EditorFixture;

// Refused from its counts, before a point is read: no freeze, and the message says what it would take.
TEST_F(LargeClaimTest, AnObjectTooLargeForTheMemoryIsRefusedBeforeItIsRead) {
    const std::string claim = Folder.Path("Assets/PlayerTopb.lin");
    ASSERT_TRUE(WriteBillionPointClaim(claim));
    Window->RunHandler([&] { Window->OpenObject(claim); });
    ASSERT_EQ(Boxes.Records.size(), 1u);
    const std::string& prompt = Boxes.Records[0].Prompt;
    EXPECT_EQ(prompt.find("The object file could not be opened:\r\n" + claim +
                          "\r\n\r\nIt is too large for the memory: the 1,073,676,289 points in 32,767 meshes "
                          "would take about 61.2 GB of memory, and "),
              0u)
        << prompt;
    EXPECT_TRUE(prompt.find(" are available.\r\n\r\nNothing was changed.") != std::string::npos ||
                prompt.find(" are left by ") != std::string::npos)
        << prompt;
    EXPECT_TRUE(Window->Document().FilePath().empty());
    EXPECT_EQ(Window->LstMeshes->ListCount(), 0);

    Window->cmdLoadFile->click();
    ASSERT_EQ(Boxes.Records.size(), 2u);
    EXPECT_EQ(Boxes.Records[1].Prompt, "Run-time error '7':\r\n\r\nOut of memory") << "the designed text";
    EXPECT_EQ(Window->LstMeshes->ListCount(), 0);
}

} // namespace
} // namespace quillax
