#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillax {

// How much more memory the program can take before an allocation fails or the system runs out, and
// what sets that bound.
struct MemoryRoom {
    uint64_t Bytes = 0;
    // "available" (the system's free and reclaimable memory and swap), "the address-space limit" or
    // "the control group's limit".
    std::string Bound;
};

// The smallest of: the memory the system says is available (MemAvailable and SwapFree of
// /proc/meminfo), what the process's address-space limit leaves, and what its control group's memory
// limit leaves. Without /proc, as much as an address can say.
MemoryRoom AvailableMemory();

// MemAvailable plus SwapFree of a /proc/meminfo text, in bytes; none without MemAvailable.
std::optional<uint64_t> MeminfoAvailable(std::string_view meminfo);

// A size for people: "640 KB", "812.4 MB", "61.2 GB" (powers of 1000).
std::string MemorySizeText(uint64_t bytes);

} // namespace quillax
