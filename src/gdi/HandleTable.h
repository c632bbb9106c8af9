#pragma once

#include <cstdint>
#include <vector>

namespace quillax {

// Objects behind 32-bit handles: 2 bits of kind, 14 bits of generation, 16 bits of slot + 1. A
// handle of another kind, a freed slot or an older generation is refused, never dereferenced.
// Lookup is an index and two compares, so it costs next to nothing per call.
template <typename T, uint32_t Kind> class HandleTable {
    static_assert(Kind >= 1 && Kind <= 3);

public:
    // 0 when every slot is in use.
    uint32_t Add(T value) {
        uint32_t index;
        if (!FreeSlots.empty()) {
            index = FreeSlots.back();
            FreeSlots.pop_back();
        } else if (Slots.size() < MaxSlots) {
            index = static_cast<uint32_t>(Slots.size());
            Slots.emplace_back();
        } else {
            return 0;
        }
        Slot& slot = Slots[index];
        slot.Value = std::move(value);
        slot.Live = true;
        return (Kind << 30) | (slot.Generation << 16) | (index + 1);
    }

    T* Find(uint32_t handle) {
        const uint32_t index = (handle & 0xFFFF) - 1;
        if ((handle >> 30) != Kind || index >= Slots.size()) {
            return nullptr;
        }
        Slot& slot = Slots[index];
        return slot.Live && slot.Generation == ((handle >> 16) & GenerationMask) ? &slot.Value : nullptr;
    }

    bool Remove(uint32_t handle) {
        if (Find(handle) == nullptr) {
            return false;
        }
        const uint32_t index = (handle & 0xFFFF) - 1;
        Slot& slot = Slots[index];
        slot.Value = T{};
        slot.Live = false;
        slot.Generation = (slot.Generation + 1) & GenerationMask;
        FreeSlots.push_back(index);
        return true;
    }

private:
    static constexpr uint32_t GenerationMask = 0x3FFF;
    static constexpr size_t MaxSlots = 0xFFFF;

    struct Slot {
        T Value{};
        uint32_t Generation = 0;
        bool Live = false;
    };
    std::vector<Slot> Slots;
    std::vector<uint32_t> FreeSlots;
};

} // namespace quillax
