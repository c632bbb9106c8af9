#pragma once

#include "objects/ObjectFileBytes.h"
#include "objects/modObjects.h"

#include <chrono>
#include <cstdint>
#include <optional>

namespace quillax {

// The edits of the kill drill. Edit k moves the first point of mesh k % meshes to x = k, so the
// object after edits 1 to n holds n in it and can be checked bit for bit against the base object.
namespace DrillEdits {

inline size_t MeshOf(int64_t k, const ObjectFile& object) {
    return static_cast<size_t>(k) % object.Meshes.size();
}

inline ObjectFile Applied(ObjectFile object, int64_t edits) {
    for (int64_t k = 1; k <= edits; ++k) {
        object.Meshes[MeshOf(k, object)].X[0] = static_cast<float>(k);
    }
    return object;
}

// How many edits the object holds: none when it is no object the edits make from base.
inline std::optional<int64_t> EditsIn(const ObjectFile& object, const ObjectFile& base) {
    if (object.Meshes.size() != base.Meshes.size()) {
        return std::nullopt;
    }
    int64_t edits = 0;
    for (size_t m = 0; m < object.Meshes.size(); ++m) {
        const float x = object.Meshes[m].X.empty() ? 0 : object.Meshes[m].X[0];
        if (x != base.Meshes[m].X[0]) {
            edits = std::max(edits, static_cast<int64_t>(x));
        }
    }
    if (ObjectFileBytes(object) != ObjectFileBytes(Applied(base, edits))) {
        return std::nullopt;
    }
    return edits;
}

// Milliseconds of the system's monotonic clock, the same in every process.
inline int64_t Now() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace DrillEdits

} // namespace quillax
