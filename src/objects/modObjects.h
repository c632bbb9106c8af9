#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace quillax {

// The object model every part of the editor shares, and its loader.

inline constexpr int32_t ObjectFileMagic = 0x003A7ADE;

struct Mesh {
    float Red = 0;
    float Green = 0;
    float Blue = 0;
    uint32_t ExtraValue = 0; // kept bit for bit; nothing interprets it
    uint16_t ExtraWord = 0;  // likewise
    int16_t PointCount = 0;
    std::vector<float> X;
    std::vector<float> Y;
};

// The bytes after the last mesh are kept, unread, so that a save gives them back; beyond this many
// they are not kept at all, so a huge tail cannot exhaust memory.
inline constexpr uint64_t MaxTrailingBytes = 1 << 20;

struct ObjectFile {
    float CentreX = 0;
    float CentreY = 0;
    int16_t MeshCount = 0;
    std::vector<Mesh> Meshes;
    // What the file held after the last mesh, when at most MaxTrailingBytes.
    std::vector<uint8_t> TrailingBytes;
    // A longer tail's length: not kept, so a save of this object drops it.
    uint64_t DroppedTrailingBytes = 0;
};

// The points a mesh has: a negative count has none.
inline int32_t PointsOf(const Mesh& mesh) {
    return std::max<int32_t>(mesh.PointCount, 0);
}

// The lines a mesh has: one from each point after its first.
inline int32_t LinesOf(const Mesh& mesh) {
    return std::max(PointsOf(mesh) - 1, 0);
}

// The meshes an object has: its count, but never more than it holds.
inline int32_t MeshCountOf(const ObjectFile& object) {
    return std::min<int32_t>(std::max<int32_t>(object.MeshCount, 0),
                             static_cast<int32_t>(object.Meshes.size()));
}

// Flags are 16-bit Booleans: -1 true, 0 false, any non-zero value counts as set.
struct MeshSelection {
    std::vector<int16_t> PointFlags;
    std::vector<int16_t> LineFlags;
};

struct ObjectPlacement {
    float PositionX = 0;
    float PositionY = 0;
    double Angle = 0;
    std::vector<MeshSelection> Selections;
};

extern ObjectFile CurrentObject;
extern ObjectPlacement CurrentPlacement;

// Reads fileName (read-only) into object and placement. False when the file is missing or does not
// start with ObjectFileMagic; then neither record is touched. A folder that does not exist, a file that
// cannot be read, a count out of range and a file that ends early are run-time errors. The bytes after
// the last mesh go to TrailingBytes, or only their count to DroppedTrailingBytes when there are more
// than MaxTrailingBytes.
bool LoadObjectFile(const std::string& fileName, ObjectFile& object, ObjectPlacement& placement);
// The same from the bytes of an object file held in memory; `name` names them in messages.
bool LoadObjectBytes(std::vector<uint8_t> bytes, const std::string& name, ObjectFile& object,
                     ObjectPlacement& placement);

// Empties both records: every number 0, every array without elements.
void ClearObjectModel(ObjectFile& object, ObjectPlacement& placement);

// Clears every point and line flag of every mesh, keeping the arrays' sizes.
void ClearSelections(ObjectPlacement& placement);

} // namespace quillax
