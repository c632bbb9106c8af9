#pragma once

#include "platform/RuntimeError.h"

#include <cstdint>
#include <string>

namespace quillax {

// The memory the document's model takes for each point: its X and Y, its point and line marks.
inline constexpr uint64_t ModelBytesPerPoint = 2 * sizeof(float) + 2 * sizeof(int16_t);

// An object file whose counts need more memory than the program can have: error 7, "Out of memory:
// the N points in M meshes of FILE would take about X of memory, and Y are available".
class ObjectTooLarge : public RuntimeError {
public:
    using RuntimeError::RuntimeError;
};

// Raises ObjectTooLarge when the points the file's headers promise, at the model's bytes and
// `shownBytesPerPoint` more each, need more than AvailableMemory(). Reads no point.
void CheckRoomForObject(const std::string& path, uint64_t shownBytesPerPoint);

} // namespace quillax
