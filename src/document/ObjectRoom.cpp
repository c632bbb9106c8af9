#include "document/ObjectRoom.h"

#include "objects/ObjectFileCounts.h"
#include "platform/MemoryRoom.h"

namespace quillax {

namespace {
// 1073676289 as "1,073,676,289".
std::string Grouped(uint64_t number) {
    std::string digits = std::to_string(number);
    for (size_t at = digits.size(); at > 3; at -= 3) {
        digits.insert(at - 3, ",");
    }
    return digits;
}
} // namespace

void CheckRoomForObject(const std::string& path, uint64_t shownBytesPerPoint) {
    const ObjectFileCounts counts = CountObjectFile(path);
    const uint64_t needed = counts.Points * (ModelBytesPerPoint + shownBytesPerPoint);
    const MemoryRoom room = AvailableMemory();
    if (needed <= room.Bytes) {
        return;
    }
    const std::string bound = room.Bound == "available"
                                  ? MemorySizeText(room.Bytes) + " are available"
                                  : MemorySizeText(room.Bytes) + " are left by " + room.Bound;
    throw ObjectTooLarge(ErrNo::OutOfMemory, ErrorDescription(ErrNo::OutOfMemory) + ": the " +
                                                 Grouped(counts.Points) + " points in " +
                                                 Grouped(static_cast<uint64_t>(counts.Meshes)) +
                                                 " meshes of " + path + " would take about " +
                                                 MemorySizeText(needed) + " of memory, and " + bound);
}

} // namespace quillax
