#include "objects/ObjectFileBytes.h"

#include "platform/RuntimeError.h"

#include <algorithm>
#include <bit>
#include <string>

namespace quillax {

namespace {
constexpr size_t HeaderBytes = 14;
constexpr size_t MeshHeaderBytes = 20;
constexpr size_t PointBytes = 8;

void CheckMesh(const Mesh& mesh, size_t index) {
    const std::string of = " of mesh " + std::to_string(index);
    if (mesh.PointCount < 2) {
        RaiseError(ErrNo::SubscriptOutOfRange, "PointCount" + of + " is " + std::to_string(mesh.PointCount) +
                                                   ": a mesh holds 2 to 32767 points");
    }
    const auto count = static_cast<size_t>(mesh.PointCount);
    if (mesh.X.size() != count || mesh.Y.size() != count) {
        RaiseError(ErrNo::InvalidCall, "PointCount" + of + " is " + std::to_string(count) + " but it has " +
                                           std::to_string(mesh.X.size()) + " X and " +
                                           std::to_string(mesh.Y.size()) + " Y");
    }
}

// The file's size once the object is known to fit the format.
size_t CheckedSize(const ObjectFile& object) {
    if (object.MeshCount < 1) {
        RaiseError(ErrNo::SubscriptOutOfRange, "MeshCount is " + std::to_string(object.MeshCount) +
                                                   ": an object holds 1 to 32767 meshes");
    }
    if (object.Meshes.size() != static_cast<size_t>(object.MeshCount)) {
        RaiseError(ErrNo::InvalidCall, "MeshCount is " + std::to_string(object.MeshCount) +
                                           " but there are " + std::to_string(object.Meshes.size()) +
                                           " meshes");
    }
    size_t size = HeaderBytes + object.TrailingBytes.size();
    for (size_t i = 0; i < object.Meshes.size(); ++i) {
        CheckMesh(object.Meshes[i], i);
        size += MeshHeaderBytes + PointBytes * object.Meshes[i].X.size();
    }
    return size;
}

// Little-endian by shifts, whatever the machine's order; compilers make each one store.
uint8_t* PutWord(uint8_t* out, uint16_t value) {
    out[0] = static_cast<uint8_t>(value);
    out[1] = static_cast<uint8_t>(value >> 8);
    return out + 2;
}

uint8_t* PutLong(uint8_t* out, uint32_t value) {
    out[0] = static_cast<uint8_t>(value);
    out[1] = static_cast<uint8_t>(value >> 8);
    out[2] = static_cast<uint8_t>(value >> 16);
    out[3] = static_cast<uint8_t>(value >> 24);
    return out + 4;
}

uint8_t* PutSingle(uint8_t* out, float value) {
    return PutLong(out, std::bit_cast<uint32_t>(value));
}

uint8_t* PutMesh(uint8_t* out, const Mesh& mesh) {
    out = PutSingle(out, mesh.Red);
    out = PutSingle(out, mesh.Green);
    out = PutSingle(out, mesh.Blue);
    out = PutLong(out, mesh.ExtraValue);
    out = PutWord(out, mesh.ExtraWord);
    out = PutWord(out, static_cast<uint16_t>(mesh.PointCount));
    for (size_t j = 0; j < mesh.X.size(); ++j) {
        out = PutSingle(out, mesh.X[j]);
        out = PutSingle(out, mesh.Y[j]);
    }
    return out;
}
} // namespace

std::vector<uint8_t> ObjectFileBytes(const ObjectFile& object) {
    std::vector<uint8_t> bytes(CheckedSize(object));
    uint8_t* out = PutLong(bytes.data(), static_cast<uint32_t>(ObjectFileMagic));
    out = PutSingle(out, object.CentreX);
    out = PutSingle(out, object.CentreY);
    out = PutWord(out, static_cast<uint16_t>(object.MeshCount));
    for (const Mesh& mesh : object.Meshes) {
        out = PutMesh(out, mesh);
    }
    std::copy(object.TrailingBytes.begin(), object.TrailingBytes.end(), out);
    return bytes;
}

} // namespace quillax
