#include "fuzz/FuzzWorkFolder.h"
#include "objects/modObjects.h"
#include "platform/RuntimeError.h"
#include "support/SameObject.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace quillax {

// Feeds arbitrary bytes to LoadObjectFile and checks its outcome against the format read straight
// from memory: the same result or error number, and after a load the same model with nothing left of
// what the records held before. A false result must leave both records untouched.
namespace {
enum class Outcome { NotAnObject, Loaded, Failed };

struct Expected {
    Outcome Result = Outcome::NotAnObject;
    int32_t ErrorNumber = 0;
    ObjectFile Object;
};

// Little-endian fields in sequence; a field the bytes do not hold ends the reading.
class MemoryFields {
public:
    MemoryFields(const uint8_t* data, size_t size) : Data(data), Size(size) {}
    std::optional<uint32_t> Next(size_t bytes) {
        if (Size - Position < bytes) {
            return std::nullopt;
        }
        uint32_t value = 0;
        for (size_t i = 0; i < bytes; ++i) {
            value |= static_cast<uint32_t>(Data[Position + i]) << (8 * i);
        }
        Position += bytes;
        return value;
    }
    std::vector<uint8_t> Rest() const { return {Data + Position, Data + Size}; }

private:
    const uint8_t* Data;
    size_t Size;
    size_t Position = 0;
};

struct Truncated {};

uint32_t Field(MemoryFields& fields, size_t bytes) {
    const std::optional<uint32_t> value = fields.Next(bytes);
    if (!value) {
        throw Truncated{};
    }
    return *value;
}

// A count becomes an array 0 .. count - 1: -32768 overflows the subtraction, any other count below
// the smallest allowed has no such array.
int32_t CountError(int16_t count, int16_t smallest) {
    if (count == INT16_MIN) {
        return ErrNo::Overflow;
    }
    return count < smallest ? ErrNo::SubscriptOutOfRange : 0;
}

void ReadMeshes(MemoryFields& fields, Expected& expected) {
    for (Mesh& mesh : expected.Object.Meshes) {
        mesh.Red = std::bit_cast<float>(Field(fields, 4));
        mesh.Green = std::bit_cast<float>(Field(fields, 4));
        mesh.Blue = std::bit_cast<float>(Field(fields, 4));
        mesh.ExtraValue = Field(fields, 4);
        mesh.ExtraWord = static_cast<uint16_t>(Field(fields, 2));
        mesh.PointCount = static_cast<int16_t>(Field(fields, 2));
        if ((expected.ErrorNumber = CountError(mesh.PointCount, 2)) != 0) {
            return;
        }
        for (int16_t j = 0; j < mesh.PointCount; ++j) {
            mesh.X.push_back(std::bit_cast<float>(Field(fields, 4)));
            mesh.Y.push_back(std::bit_cast<float>(Field(fields, 4)));
        }
    }
}

void KeepRest(const MemoryFields& fields, ObjectFile& object) {
    object.TrailingBytes = fields.Rest();
    if (object.TrailingBytes.size() > MaxTrailingBytes) {
        object.DroppedTrailingBytes = object.TrailingBytes.size();
        object.TrailingBytes.clear();
    }
}

Expected ReadFromMemory(const uint8_t* data, size_t size) {
    Expected expected;
    MemoryFields fields(data, size);
    if (fields.Next(4) != std::optional<uint32_t>(ObjectFileMagic)) {
        return expected;
    }
    expected.Result = Outcome::Failed;
    try {
        expected.Object.CentreX = std::bit_cast<float>(Field(fields, 4));
        expected.Object.CentreY = std::bit_cast<float>(Field(fields, 4));
        expected.Object.MeshCount = static_cast<int16_t>(Field(fields, 2));
        if ((expected.ErrorNumber = CountError(expected.Object.MeshCount, 1)) != 0) {
            return expected;
        }
        expected.Object.Meshes.resize(static_cast<size_t>(expected.Object.MeshCount));
        ReadMeshes(fields, expected);
        KeepRest(fields, expected.Object);
    } catch (const Truncated&) {
        expected.ErrorNumber = ErrNo::InputPastEndOfFile;
    }
    if (expected.ErrorNumber == 0) {
        expected.Result = Outcome::Loaded;
    }
    return expected;
}

bool SamePlacement(const ObjectPlacement& a, const ObjectPlacement& b) {
    return SameBits(a.PositionX, b.PositionX) && SameBits(a.PositionY, b.PositionY) && a.Angle == b.Angle &&
           std::equal(a.Selections.begin(), a.Selections.end(), b.Selections.begin(), b.Selections.end(),
                      [](const MeshSelection& x, const MeshSelection& y) {
                          return x.PointFlags == y.PointFlags && x.LineFlags == y.LineFlags;
                      });
}

// Every flag cleared, one per point and one per line of each mesh, and the object unmoved.
ObjectPlacement FreshPlacement(const ObjectFile& object) {
    ObjectPlacement placement;
    for (const Mesh& mesh : object.Meshes) {
        placement.Selections.push_back(
            {std::vector<int16_t>(mesh.X.size(), 0), std::vector<int16_t>(mesh.X.size() - 1, 0)});
    }
    return placement;
}

// Records as a previous load and some marking leave them, which a new load must replace entirely.
void FillStale(ObjectFile& object, ObjectPlacement& placement) {
    object.CentreX = 9;
    object.MeshCount = 3;
    object.Meshes.assign(3, Mesh{0.5f, 0.5f, 0.5f, 7, 7, 4, {1, 2, 3, 4}, {5, 6, 7, 8}});
    object.TrailingBytes = {1, 2, 3};
    object.DroppedTrailingBytes = 5;
    placement.PositionX = 11;
    placement.PositionY = -4;
    placement.Angle = 0.25;
    placement.Selections.assign(3, MeshSelection{{-1, -1, 0, 1}, {-1, 0, 5}});
}

[[noreturn]] void Finding(const std::string& what) {
    std::fprintf(stderr, "fuzz_loadobjectfile: %s\n", what.c_str());
    std::abort();
}

void Check(const Expected& expected, Outcome outcome, int32_t errorNumber, const ObjectFile& object,
           const ObjectPlacement& placement) {
    if (outcome != expected.Result || errorNumber != expected.ErrorNumber) {
        Finding("outcome " + std::to_string(static_cast<int>(outcome)) + " error " +
                std::to_string(errorNumber) + ", expected outcome " +
                std::to_string(static_cast<int>(expected.Result)) + " error " +
                std::to_string(expected.ErrorNumber));
    }
    ObjectFile staleObject;
    ObjectPlacement stalePlacement;
    FillStale(staleObject, stalePlacement);
    if (outcome == Outcome::NotAnObject &&
        (!SameObject(object, staleObject) || !SamePlacement(placement, stalePlacement))) {
        Finding("a file that is not an object changed the records");
    }
    if (outcome == Outcome::Loaded && (!SameObject(object, expected.Object) ||
                                       !SamePlacement(placement, FreshPlacement(expected.Object)))) {
        Finding("the loaded model differs from the file");
    }
}
} // namespace

} // namespace quillax

using namespace quillax;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Expected expected = ReadFromMemory(data, size);
    ObjectFile object;
    ObjectPlacement placement;
    FillStale(object, placement);
    Outcome outcome = Outcome::Failed;
    int32_t errorNumber = 0;
    try {
        outcome = LoadObjectFile(WriteFuzzInput(data, size, "input.lin"), object, placement)
                      ? Outcome::Loaded
                      : Outcome::NotAnObject;
    } catch (const RuntimeError& error) {
        errorNumber = error.Number();
    }
    Check(expected, outcome, errorNumber, object, placement);
    return 0;
}
