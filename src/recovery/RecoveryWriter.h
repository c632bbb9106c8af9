#pragma once

#include "recovery/RecoverySlot.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace quillax {

// Writes and removes recovery copies on a thread of its own, so that a large object's copy never
// holds up the window. Each wish is carried out in the order given, and a wish for the same slot as
// the last one waiting replaces it: only the newest copy is ever written.
class RecoveryWriter {
public:
    RecoveryWriter();
    // Carries out every wish still waiting first.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    // The copy's bytes and what it says of itself, each written whole through the one output path.
    void Write(std::shared_ptr<RecoverySlot> slot, std::vector<uint8_t> bytes, std::string about);
    void Remove(std::shared_ptr<RecoverySlot> slot);
    // Removes the copy and gives the slot's name up.
    void Release(std::shared_ptr<RecoverySlot> slot);

private:
    enum class Wish { Write, Remove, Release };
    struct Job {
        Wish What;
        std::shared_ptr<RecoverySlot> Slot;
        std::vector<uint8_t> Bytes;
        std::string About;
    };

    void Queue(Job job);
    void Work();
    void Carry(const Job& job);

    std::mutex Guard;
    std::condition_variable Wake;
    std::deque<Job> Jobs;
    bool Stopping = false;
    // The worker's own: what the last copy it wrote says, so an unchanged text is not written again.
    const RecoverySlot* AboutSlot = nullptr;
    std::string AboutWritten;
    std::thread Worker;
};

} // namespace quillax
