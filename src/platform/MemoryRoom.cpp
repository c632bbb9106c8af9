#include "platform/MemoryRoom.h"

#include <sys/resource.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <limits>

namespace quillax {

namespace {
std::string FileText(const std::string& path) {
    std::ifstream file(path);
    return {std::istreambuf_iterator<char>(file), {}};
}

// The number of kilobytes after "Name:" on a line of its own.
std::optional<uint64_t> Kilobytes(std::string_view text, std::string_view name) {
    for (size_t at = text.find(name); at != std::string_view::npos; at = text.find(name, at + 1)) {
        if (at != 0 && text[at - 1] != '\n') {
            continue;
        }
        size_t digits = text.find_first_not_of(' ', at + name.size());
        uint64_t value = 0;
        const char* end = text.data() + text.size();
        if (digits != std::string_view::npos &&
            std::from_chars(text.data() + digits, end, value).ec == std::errc()) {
            return value;
        }
    }
    return std::nullopt;
}

std::optional<uint64_t> Number(const std::string& text) {
    uint64_t value = 0;
    if (std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc()) {
        return std::nullopt;
    }
    return value;
}

// The address space in use now: the first field of /proc/self/statm, in pages.
uint64_t AddressSpaceInUse() {
    std::ifstream statm("/proc/self/statm");
    uint64_t pages = 0;
    statm >> pages;
    return pages * static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
}

std::optional<uint64_t> AddressSpaceRoom() {
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
        return std::nullopt;
    }
    const uint64_t used = AddressSpaceInUse();
    return limit.rlim_cur > used ? limit.rlim_cur - used : 0;
}

// A unified hierarchy's memory.max less memory.current, for the group /proc/self/cgroup names.
std::optional<uint64_t> ControlGroupRoom() {
    const std::string groups = FileText("/proc/self/cgroup");
    const size_t line = groups.rfind("0::/", groups.size());
    if (line == std::string::npos || (line != 0 && groups[line - 1] != '\n')) {
        return std::nullopt;
    }
    const size_t end = groups.find('\n', line);
    const std::string folder = "/sys/fs/cgroup" + groups.substr(line + 3, end - line - 3);
    const std::optional<uint64_t> most = Number(FileText(folder + "/memory.max"));
    const std::optional<uint64_t> used = Number(FileText(folder + "/memory.current"));
    if (!most || !used) {
        return std::nullopt;
    }
    return *most > *used ? *most - *used : 0;
}
} // namespace

std::optional<uint64_t> MeminfoAvailable(std::string_view meminfo) {
    const std::optional<uint64_t> available = Kilobytes(meminfo, "MemAvailable:");
    if (!available) {
        return std::nullopt;
    }
    return (*available + Kilobytes(meminfo, "SwapFree:").value_or(0)) * 1024;
}

MemoryRoom AvailableMemory() {
    MemoryRoom room{std::numeric_limits<uint64_t>::max(), "available"};
    if (const std::optional<uint64_t> system = MeminfoAvailable(FileText("/proc/meminfo"))) {
        room.Bytes = *system;
    }
    const auto bound = [&room](std::optional<uint64_t> bytes, const char* what) {
        if (bytes && *bytes < room.Bytes) {
            room = {*bytes, what};
        }
    };
    bound(AddressSpaceRoom(), "the address-space limit");
    bound(ControlGroupRoom(), "the control group's limit");
    return room;
}

std::string MemorySizeText(uint64_t bytes) {
    char text[32];
    if (bytes < 10'000'000) {
        std::snprintf(text, sizeof text, "%llu KB", static_cast<unsigned long long>((bytes + 999) / 1000));
    } else if (bytes < 1'000'000'000) {
        std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / 1e6);
    } else {
        std::snprintf(text, sizeof text, "%.1f GB", static_cast<double>(bytes) / 1e9);
    }
    return text;
}

} // namespace quillax
