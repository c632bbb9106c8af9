#pragma once

#include "objects/modObjects.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

namespace quillax {

// Bit-for-bit equality of objects, NaN payloads included, where == would call every NaN different.
inline bool SameBits(float a, float b) {
    return std::bit_cast<uint32_t>(a) == std::bit_cast<uint32_t>(b);
}

inline bool SameBits(const std::vector<float>& a, const std::vector<float>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](float x, float y) { return SameBits(x, y); });
}

inline bool SameMesh(const Mesh& a, const Mesh& b) {
    return SameBits(a.Red, b.Red) && SameBits(a.Green, b.Green) && SameBits(a.Blue, b.Blue) &&
           a.ExtraValue == b.ExtraValue && a.ExtraWord == b.ExtraWord && a.PointCount == b.PointCount &&
           SameBits(a.X, b.X) && SameBits(a.Y, b.Y);
}

inline bool SameObject(const ObjectFile& a, const ObjectFile& b) {
    return SameBits(a.CentreX, b.CentreX) && SameBits(a.CentreY, b.CentreY) && a.MeshCount == b.MeshCount &&
           std::equal(a.Meshes.begin(), a.Meshes.end(), b.Meshes.begin(), b.Meshes.end(), SameMesh) &&
           a.TrailingBytes == b.TrailingBytes && a.DroppedTrailingBytes == b.DroppedTrailingBytes;
}

} // namespace quillax
