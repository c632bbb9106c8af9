#include "EditorFixture.h"

#include "frmMain.h"

#include <QPushButton>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {
// The address sanitizer keeps freed memory in quarantine, so resident memory measures nothing there;
// LeakSanitizer checks that build instead.
#ifdef QUILLAX_SANITIZED
constexpr bool ResidentMemoryMeasures = false;
#else
constexpr bool ResidentMemoryMeasures = true;
#endif

long ResidentKilobytes() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

long OpenFiles() {
    long count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count;
}
} // namespace

using MemoryTest = EditorFixture;

// Loading again must give back what the previous load took: memory and file handles.
TEST_F(MemoryTest, RepeatedLoadsOfALargeObjectStayBounded) {
    WriteObject(LargeLinObject(100000, 10));
    Window->cmdLoadFile->click();
    Window->cmdLoadFile->click();
    const long afterOneLoad = ResidentKilobytes();
    const long filesAfterOneLoad = OpenFiles();
    for (int load = 0; load < 200; ++load) {
        Window->cmdLoadFile->click();
    }
    ASSERT_EQ(Window->Node.Count(), 100000);
    EXPECT_TRUE(Boxes.Records.empty());
    if (ResidentMemoryMeasures) {
        EXPECT_LT(ResidentKilobytes(), afterOneLoad + 32 * 1024)
            << "kilobytes after one load: " << afterOneLoad;
    }
    // Fewer is fine: idle worker threads of Qt's pool close their event handles after 30 seconds, which
    // a slow (sanitized) run lasts.
    EXPECT_LE(OpenFiles(), filesAfterOneLoad);
}
