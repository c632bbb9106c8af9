#pragma once

#include <algorithm>
#include <cstdint>
#include <system_error>
#include <thread>
#include <vector>

namespace quillax {

// How many parts `items` of work make: one per itemsPerPart, at most one per core, at least one.
inline int64_t PartsFor(int64_t items, int64_t itemsPerPart) {
    const int64_t cores = std::max<int64_t>(std::thread::hardware_concurrency(), 1);
    return std::clamp<int64_t>(items / itemsPerPart, 1, cores);
}

// Runs work(0) .. work(parts - 1): part 0 on this thread, each other on a thread of its own, or here
// when no thread can be started. Every thread is joined before this returns; work must not throw.
template <typename Work> void RunInParts(int64_t parts, const Work& work) {
    std::vector<std::jthread> helpers;
    for (int64_t part = 1; part < parts; ++part) {
        try {
            helpers.emplace_back(work, part);
        } catch (const std::system_error&) {
            work(part);
        }
    }
    work(0);
}

} // namespace quillax
