#include "support/EditorFixture.h"

#include "app/frmMain.h"
#include "sampleobjects/LargeObject.h"

#include <QPushButton>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace quillax {

namespace {
long ResidentKilobytes() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Handles still open on object files; the toolkit's own (fonts, caches) come and go as it likes.
long OpenObjectFiles() {
    long count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        count += std::filesystem::read_symlink(entry.path(), error).extension() == ".lin";
    }
    return count;
}
#ifdef __SANITIZE_ADDRESS__
// The address sanitizer keeps freed memory in quarantine (256 MB by default); its leak checker
// watches for real leaks in that build. A load that frees few large blocks fills the quarantine with
// small ones, whose pages and red zones stay resident: up to about twice its size.
constexpr long MarginKilobytes = (2 * 256 + 32) * 1024;
#else
constexpr long MarginKilobytes = 32 * 1024;
#endif
} // namespace

using MemoryTest = EditorFixture;

// Loading again must give back what the previous load took: memory and file handles.
TEST_F(MemoryTest, RepeatedLoadsOfALargeObjectStayBounded) {
    WriteObject(LargeObject(100000, 10));
    Window->cmdLoadFile->click();
    Window->cmdLoadFile->click();
    const long afterOneLoad = ResidentKilobytes();
    for (int load = 0; load < 200; ++load) {
        Window->cmdLoadFile->click();
    }
    ASSERT_EQ(Window->picMain->Scene().Node.Count(), 100000);
    EXPECT_TRUE(Boxes.Records.empty());
    EXPECT_LT(ResidentKilobytes(), afterOneLoad + MarginKilobytes)
        << "kilobytes after one load: " << afterOneLoad;
    EXPECT_EQ(OpenObjectFiles(), 0);
}

} // namespace quillax
