#include "objects/modObjects.h"

#include "objects/ObjectFileReader.h"
#include "platform/Numeric.h"
#include "platform/RuntimeError.h"

#include <algorithm>
#include <bit>

namespace quillax {

ObjectFile CurrentObject;
ObjectPlacement CurrentPlacement;

namespace {
// An array sized 0 .. count - 1: a count below 1 has no such array.
size_t ArraySize(int16_t count, const char* what) {
    const int16_t upper = CheckedInt16(static_cast<int64_t>(count) - 1);
    if (upper < 0) {
        RaiseError(ErrNo::SubscriptOutOfRange, std::string(what) + " " + std::to_string(count));
    }
    return static_cast<size_t>(upper) + 1;
}

uint32_t LittleEndianLong(const unsigned char* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

void ReadPoints(ObjectFileReader& reader, Mesh& mesh, const std::string& of) {
    std::vector<unsigned char> bytes(mesh.X.size() * 8);
    reader.Read(bytes.data(), bytes.size(), "the points" + of);
    for (size_t j = 0; j < mesh.X.size(); ++j) {
        mesh.X[j] = std::bit_cast<float>(LittleEndianLong(&bytes[j * 8]));
        mesh.Y[j] = std::bit_cast<float>(LittleEndianLong(&bytes[j * 8 + 4]));
    }
}

void ReadMesh(ObjectFileReader& reader, size_t index, Mesh& mesh, MeshSelection& selection) {
    const std::string of = " of mesh " + std::to_string(index);
    mesh.Red = reader.ReadSingle("Red" + of);
    mesh.Green = reader.ReadSingle("Green" + of);
    mesh.Blue = reader.ReadSingle("Blue" + of);
    mesh.ExtraValue = reader.ReadLong("ExtraValue" + of);
    mesh.ExtraWord = reader.ReadWord("ExtraWord" + of);
    mesh.PointCount = reader.ReadInt16("PointCount" + of);
    const size_t points = ArraySize(mesh.PointCount, ("PointCount" + of).c_str());
    mesh.X.assign(points, 0.0f);
    mesh.Y.assign(points, 0.0f);
    selection.PointFlags.assign(points, 0);
    if (points == 1) {
        RaiseError(ErrNo::SubscriptOutOfRange, "PointCount" + of + " is 1: a mesh needs a line");
    }
    selection.LineFlags.assign(points - 1, 0);
    ReadPoints(reader, mesh, of);
}
} // namespace

bool LoadObjectFile(const std::string& fileName, ObjectFile& object, ObjectPlacement& placement) {
    ObjectFileReader reader(fileName);
    unsigned char magic[4];
    if (!reader.IsOpen() || !reader.TryRead(magic, sizeof magic)) {
        return false;
    }
    if ((magic[0] | magic[1] << 8 | magic[2] << 16 | magic[3] << 24) != ObjectFileMagic) {
        return false;
    }
    placement.PositionX = 0;
    placement.PositionY = 0;
    placement.Angle = 0;
    object.CentreX = reader.ReadSingle("CentreX");
    object.CentreY = reader.ReadSingle("CentreY");
    object.MeshCount = reader.ReadInt16("MeshCount");
    const size_t meshes = ArraySize(object.MeshCount, "MeshCount");
    object.Meshes.assign(meshes, Mesh{});
    placement.Selections.assign(meshes, MeshSelection{});
    for (size_t i = 0; i < meshes; ++i) {
        ReadMesh(reader, i, object.Meshes[i], placement.Selections[i]);
    }
    const uint64_t trailing = reader.ReadRest(object.TrailingBytes, MaxTrailingBytes);
    object.DroppedTrailingBytes = object.TrailingBytes.size() == trailing ? 0 : trailing;
    return true;
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
