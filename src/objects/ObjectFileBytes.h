#pragma once

#include "objects/modObjects.h"

#include <cstdint>
#include <vector>

namespace quillax {

// The object as a .lin file: every field's bits as the model holds them (NaN payloads, ExtraValue,
// ExtraWord), then TrailingBytes, so a loaded object that nobody changed gives back the file it came
// from. An object the format cannot hold is a run-time error and gives no bytes: error 9 for a
// MeshCount outside 1 to 32767 or a PointCount outside 2 to 32767, error 5 for a Meshes, X or Y
// whose size is not its count.
std::vector<uint8_t> ObjectFileBytes(const ObjectFile& object);

} // namespace quillax
