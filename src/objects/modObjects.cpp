#include "objects/modObjects.h"

#include "objects/ObjectFileReader.h"
#include "platform/RuntimeError.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <utility>

namespace quillax {

ObjectFile CurrentObject;
ObjectPlacement CurrentPlacement;

namespace {
// Reads a count that sizes an array 0 .. count - 1: -32768 minus one leaves 16 bits, and a count below
// least is refused. Every refusal names the field, its value, where it is and the file.
size_t ReadArraySize(ObjectFileReader& reader, const std::string& field, int16_t least) {
    const uint64_t offset = reader.Offset();
    const int16_t count = reader.ReadInt16(field);
    const auto refuse = [&](int32_t number, const std::string& why) {
        RaiseError(number, field + " is " + std::to_string(count) + why + " at byte offset " +
                               std::to_string(offset) + " of " + reader.Name());
    };
    if (count == std::numeric_limits<int16_t>::min()) {
        refuse(ErrNo::Overflow, " (the count minus one leaves 16 bits)");
    }
    if (count < least) {
        refuse(ErrNo::SubscriptOutOfRange, count < 1 ? "" : " (fewer than " + std::to_string(least) + ")");
    }
    return static_cast<size_t>(count);
}

void ReadPoints(ObjectFileReader& reader, Mesh& mesh, const std::string& of) {
    std::vector<unsigned char> bytes(mesh.X.size() * 8);
    reader.Read(bytes.data(), bytes.size(), "the points" + of);
    for (size_t j = 0; j < mesh.X.size(); ++j) {
        mesh.X[j] = std::bit_cast<float>(ObjectFileReader::LittleEndianLong(&bytes[j * 8]));
        mesh.Y[j] = std::bit_cast<float>(ObjectFileReader::LittleEndianLong(&bytes[j * 8 + 4]));
    }
}

void ReadMesh(ObjectFileReader& reader, size_t index, Mesh& mesh, MeshSelection& selection) {
    const std::string of = " of mesh " + std::to_string(index);
    mesh.Red = reader.ReadSingle("Red" + of);
    mesh.Green = reader.ReadSingle("Green" + of);
    mesh.Blue = reader.ReadSingle("Blue" + of);
    mesh.ExtraValue = reader.ReadLong("ExtraValue" + of);
    mesh.ExtraWord = reader.ReadWord("ExtraWord" + of);
    const size_t points = ReadArraySize(reader, "PointCount" + of, 2);
    mesh.PointCount = static_cast<int16_t>(points);
    mesh.X.assign(points, 0.0f);
    mesh.Y.assign(points, 0.0f);
    selection.PointFlags.assign(points, 0);
    selection.LineFlags.assign(points - 1, 0);
    ReadPoints(reader, mesh, of);
}

bool ReadObject(ObjectFileReader& reader, ObjectFile& object, ObjectPlacement& placement) {
    unsigned char magic[4];
    if (!reader.IsOpen() || !reader.TryRead(magic, sizeof magic)) {
        return false;
    }
    if (ObjectFileReader::LittleEndianLong(magic) != static_cast<uint32_t>(ObjectFileMagic)) {
        return false;
    }
    placement.PositionX = 0;
    placement.PositionY = 0;
    placement.Angle = 0;
    object.CentreX = reader.ReadSingle("CentreX");
    object.CentreY = reader.ReadSingle("CentreY");
    const size_t meshes = ReadArraySize(reader, "MeshCount", 1);
    object.MeshCount = static_cast<int16_t>(meshes);
    object.Meshes.assign(meshes, Mesh{});
    placement.Selections.assign(meshes, MeshSelection{});
    for (size_t i = 0; i < meshes; ++i) {
        ReadMesh(reader, i, object.Meshes[i], placement.Selections[i]);
    }
    const uint64_t trailing = reader.ReadRest(object.TrailingBytes, MaxTrailingBytes);
    object.DroppedTrailingBytes = object.TrailingBytes.size() == trailing ? 0 : trailing;
    return true;
}
} // namespace

bool LoadObjectFile(const std::string& fileName, ObjectFile& object, ObjectPlacement& placement) {
    ObjectFileReader reader(fileName);
    return ReadObject(reader, object, placement);
}

bool LoadObjectBytes(std::vector<uint8_t> bytes, const std::string& name, ObjectFile& object,
                     ObjectPlacement& placement) {
    ObjectFileReader reader(std::move(bytes), name);
    return ReadObject(reader, object, placement);
}

void ClearObjectModel(ObjectFile& object, ObjectPlacement& placement) {
    object = ObjectFile{};
    placement = ObjectPlacement{};
}

void ClearSelections(ObjectPlacement& placement) {
    for (MeshSelection& selection : placement.Selections) {
        std::fill(selection.PointFlags.begin(), selection.PointFlags.end(), 0);
        std::fill(selection.LineFlags.begin(), selection.LineFlags.end(), 0);
    }
}

} // namespace quillax
