#include "platform/MemoryRoom.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <fstream>

namespace quillax {

TEST(MemoryRoom, AvailableIsWhatTheSystemCanGiveWithoutEndingSomething) {
    EXPECT_EQ(MeminfoAvailable("MemTotal:       24000000 kB\nMemFree:  100 kB\nMemAvailable:    1000 kB\n"
                               "SwapTotal:  8 kB\nSwapFree:       24 kB\n"),
              uint64_t{1024} * 1024);
    EXPECT_EQ(MeminfoAvailable("MemAvailable: 2 kB\n"), uint64_t{2048}) << "no swap";
    EXPECT_EQ(MeminfoAvailable("MemFree: 2 kB\nXMemAvailable: 5 kB\n"), std::nullopt);
    const MemoryRoom room = AvailableMemory();
    EXPECT_GT(room.Bytes, 0u);
    EXPECT_EQ(room.Bound, "available");
}

// Whatever the system has, a process under a limit gets no more than the limit leaves.
TEST(MemoryRoom, AnAddressSpaceLimitBoundsTheRoom) {
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_AS, &before), 0);
    rlimit limited = before;
    std::ifstream statm("/proc/self/statm");
    uint64_t pages = 0;
    statm >> pages;
    constexpr uint64_t Headroom = uint64_t{1} << 30;
    limited.rlim_cur = pages * static_cast<uint64_t>(sysconf(_SC_PAGESIZE)) + Headroom;
    if (before.rlim_cur != RLIM_INFINITY && limited.rlim_cur > before.rlim_cur) {
        GTEST_SKIP() << "already limited";
    }
    ASSERT_EQ(setrlimit(RLIMIT_AS, &limited), 0);
    const MemoryRoom room = AvailableMemory();
    setrlimit(RLIMIT_AS, &before);
    EXPECT_EQ(room.Bound, "the address-space limit");
    EXPECT_LE(room.Bytes, Headroom);
    EXPECT_GT(room.Bytes, Headroom / 2);
}

TEST(MemoryRoom, SizesReadAsPeopleWriteThem) {
    EXPECT_EQ(MemorySizeText(640'000), "640 KB");
    EXPECT_EQ(MemorySizeText(812'400'000), "812.4 MB");
    EXPECT_EQ(MemorySizeText(61'234'000'000), "61.2 GB");
}

} // namespace quillax
