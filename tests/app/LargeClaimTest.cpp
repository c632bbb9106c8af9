#include "support/BillionPointClaim.h"
#include "support/EditorFixture.h"

#include "browse/ListBox.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>

namespace quillax {

namespace {
using LargeClaimTest = EditorFixture;

// The largest object the format holds fits in some machines' memory: an address-space limit a few
// gigabytes above what the process maps now, put back when the test ends, makes it too large on every
// machine (and leaves a sanitizer's large mappings room).
class AddressSpaceLimit {
public:
    explicit AddressSpaceLimit(rlim_t room) {
        getrlimit(RLIMIT_AS, &Kept);
        rlim_t pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        rlimit limited = Kept;
        limited.rlim_cur = std::min(Kept.rlim_max, pages * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + room);
        setrlimit(RLIMIT_AS, &limited);
    }
    ~AddressSpaceLimit() { setrlimit(RLIMIT_AS, &Kept); }
    AddressSpaceLimit(const AddressSpaceLimit&) = delete;
    AddressSpaceLimit& operator=(const AddressSpaceLimit&) = delete;

private:
    rlimit Kept{};
};

// Refused from its counts, before a point is read: no freeze, and the message says what it would take.
TEST_F(LargeClaimTest, AnObjectTooLargeForTheMemoryIsRefusedBeforeItIsRead) {
    const std::string claim = Folder.Path("Assets/PlayerTopb.lin");
    ASSERT_TRUE(WriteBillionPointClaim(claim));
    const AddressSpaceLimit limit(rlim_t{8} << 30);
    Window->RunHandler([&] { Window->OpenObject(claim); });
    ASSERT_EQ(Boxes.Records.size(), 1u);
    const std::string& prompt = Boxes.Records[0].Prompt;
    EXPECT_EQ(prompt.find("The object file could not be opened:\r\n" + claim +
                          "\r\n\r\nIt is too large for the memory: the 1,073,676,289 points in 32,767 meshes "
                          "would take about 17.2 GB of memory, and "),
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
