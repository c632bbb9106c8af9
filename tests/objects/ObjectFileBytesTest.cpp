#include "objects/ObjectFileBytes.h"
#include "objects/modObjects.h"
#include "platform/RuntimeError.h"
#include "sampleobjects/SampleObject.h"
#include "support/LinBuilder.h"
#include "support/SameObject.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <bit>
#include <fstream>
#include <functional>
#include <iterator>

namespace quillax {

namespace {
float Bits(uint32_t bits) {
    return std::bit_cast<float>(bits);
}

Mesh TwoPoints(uint32_t extraValue = 0, uint16_t extraWord = 0) {
    return Mesh{1, 0.5f, 0.25f, extraValue, extraWord, 2, {10, 30}, {20, 40}};
}

ObjectFile ObjectOf(std::vector<Mesh> meshes, std::vector<uint8_t> trailing = {}) {
    ObjectFile object;
    object.MeshCount = static_cast<int16_t>(meshes.size());
    object.Meshes = std::move(meshes);
    object.TrailingBytes = std::move(trailing);
    return object;
}

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

class ObjectFileBytesTest : public ::testing::Test {
protected:
    ObjectFile Load(const std::vector<uint8_t>& bytes) {
        const std::string path = Folder.Path("object.lin");
        WriteLinFile(path, bytes);
        ObjectFile object;
        ObjectPlacement placement;
        EXPECT_TRUE(LoadObjectFile(path, object, placement));
        return object;
    }

    TempFolder Folder;
};
} // namespace

TEST_F(ObjectFileBytesTest, LaysOutEveryFieldLittleEndianWithoutPadding) {
    ObjectFile object = ObjectOf({TwoPoints(0x04030201, 0xBEEF)}, {0xAA, 0x00});
    object.CentreX = 1.5f;
    object.CentreY = -2;
    object.Meshes[0].Blue = Bits(0x7FA00001);
    object.Meshes[0].Y[1] = Bits(0x00000001);
    const std::vector<uint8_t> expected = {
        0xDE, 0x7A, 0x3A, 0x00,                         // magic
        0x00, 0x00, 0xC0, 0x3F, 0x00, 0x00, 0x00, 0xC0, // CentreX, CentreY
        0x01, 0x00,                                     // MeshCount
        0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x3F, // Red, Green
        0x01, 0x00, 0xA0, 0x7F,                         // Blue: a signalling NaN
        0x01, 0x02, 0x03, 0x04, 0xEF, 0xBE,             // ExtraValue, ExtraWord
        0x02, 0x00,                                     // PointCount
        0x00, 0x00, 0x20, 0x41, 0x00, 0x00, 0xA0, 0x41, // (10, 20)
        0x00, 0x00, 0xF0, 0x41, 0x01, 0x00, 0x00, 0x00, // (30, the smallest subnormal)
        0xAA, 0x00,                                     // the bytes after the last mesh
    };
    EXPECT_EQ(ObjectFileBytes(object), expected);
}

// Loading a file and saving it gives the file back, and the saved bytes load as the same object.
TEST_F(ObjectFileBytesTest, OddFilesRoundTripBitForBit) {
    ObjectFile nans = ObjectOf({TwoPoints(), TwoPoints()});
    nans.CentreX = Bits(0x7FC00001);
    nans.CentreY = Bits(0xFF800001);
    nans.Meshes[0] = Mesh{Bits(0x7F800001),
                          -0.0f,
                          Bits(0x80000001),
                          0,
                          0,
                          2,
                          {Bits(0x7FBFFFFF), Bits(0x7F800000)},
                          {Bits(0xFFFFFFFF), Bits(0xFF800000)}};
    ObjectFile extras = ObjectOf({TwoPoints(0xFFFFFFFF, 0xFFFF), TwoPoints(0x80000001, 0x8000),
                                  TwoPoints(0x7FFFFFFF, 0x00FF), TwoPoints(0, 0)});
    std::vector<uint8_t> longestKeptTail(MaxTrailingBytes);
    for (size_t k = 0; k < longestKeptTail.size(); ++k) {
        longestKeptTail[k] = static_cast<uint8_t>(k * 7 + k / 256);
    }
    ObjectFile largestMesh = ObjectOf({TwoPoints()});
    Mesh& mesh = largestMesh.Meshes[0];
    mesh.PointCount = 32767;
    for (int16_t k = 2; k < mesh.PointCount; ++k) {
        mesh.X.push_back(k);
        mesh.Y.push_back(-k * 0.5f);
    }
    const std::vector<std::pair<std::string, std::vector<uint8_t>>> files = {
        {"NaN payloads, infinities, -0 and subnormals", ObjectFileBytes(nans)},
        {"ExtraValue and ExtraWord patterns", ObjectFileBytes(extras)},
        {"one trailing byte", ObjectFileBytes(ObjectOf({TwoPoints()}, {0}))},
        {"the longest tail kept", ObjectFileBytes(ObjectOf({TwoPoints()}, longestKeptTail))},
        {"the shipped sample", FileBytes(std::string(QUILLAX_ASSETS) + "/PlayerTopb.lin")},
        {"a mesh of 32767 points", ObjectFileBytes(largestMesh)},
        {"32767 meshes", ObjectFileBytes(ObjectOf(std::vector<Mesh>(32767, TwoPoints(7, 9)), {1, 2, 3}))},
    };
    for (const auto& [name, bytes] : files) {
        const ObjectFile loaded = Load(bytes);
        const std::vector<uint8_t> saved = ObjectFileBytes(loaded);
        EXPECT_TRUE(saved == bytes) << name;
        EXPECT_TRUE(SameObject(Load(saved), loaded)) << name;
    }
}

TEST_F(ObjectFileBytesTest, AnEditChangesOnlyTheBytesOfWhatChanged) {
    const std::vector<uint8_t> sample = ObjectFileBytes(SampleShip());
    ObjectFile edited = Load(sample);
    edited.Meshes[1].X[2] = 99;
    edited.Meshes[3].Green = Bits(0x7FC0BEEF);
    const std::vector<uint8_t> saved = ObjectFileBytes(edited);
    ASSERT_EQ(saved.size(), sample.size());
    std::vector<size_t> changed;
    for (size_t k = 0; k < saved.size(); ++k) {
        if (saved[k] != sample[k]) {
            changed.push_back(k);
        }
    }
    const size_t x = 14 + (20 + 15 * 8) + 20 + 2 * 8;
    const size_t green = 14 + (20 + 15 * 8) + (20 + 8 * 8) + (20 + 7 * 8) + 4;
    EXPECT_EQ(changed, (std::vector<size_t>{x + 2, x + 3, green, green + 1, green + 2, green + 3}));
}

TEST_F(ObjectFileBytesTest, ATailTooLongToKeepIsCountedAndLeftOut) {
    const std::vector<uint8_t> plain = ObjectFileBytes(ObjectOf({TwoPoints()}));
    std::vector<uint8_t> file = plain;
    file.resize(plain.size() + MaxTrailingBytes + 1, 0x5A);
    const ObjectFile loaded = Load(file);
    EXPECT_TRUE(loaded.TrailingBytes.empty());
    EXPECT_EQ(loaded.DroppedTrailingBytes, MaxTrailingBytes + 1);
    EXPECT_EQ(ObjectFileBytes(loaded), plain);

    // Nothing of an earlier load's tail outlives a load of a file without one.
    const std::string path = Folder.Path("plain.lin");
    WriteLinFile(path, plain);
    ObjectFile reloaded = loaded;
    ObjectPlacement placement;
    ASSERT_TRUE(LoadObjectFile(path, reloaded, placement));
    EXPECT_TRUE(SameObject(reloaded, ObjectOf({TwoPoints()})));
}

TEST_F(ObjectFileBytesTest, RefusesWhatTheFormatCannotHold) {
    struct Case {
        std::string Name;
        std::function<void(ObjectFile&)> Break;
        int32_t Error;
        std::string Message;
    };
    const std::vector<Case> cases = {
        {"no meshes",
         [](ObjectFile& o) {
             o.MeshCount = 0;
             o.Meshes.clear();
         },
         ErrNo::SubscriptOutOfRange, "MeshCount is 0: an object holds 1 to 32767 meshes"},
        {"negative MeshCount", [](ObjectFile& o) { o.MeshCount = -32768; }, ErrNo::SubscriptOutOfRange,
         "MeshCount is -32768"},
        {"a mesh too few", [](ObjectFile& o) { o.Meshes.pop_back(); }, ErrNo::InvalidCall,
         "MeshCount is 2 but there are 1 meshes"},
        {"a mesh too many", [](ObjectFile& o) { o.Meshes.push_back(TwoPoints()); }, ErrNo::InvalidCall,
         "MeshCount is 2 but there are 3 meshes"},
        {"one point", [](ObjectFile& o) { o.Meshes[1] = Mesh{1, 1, 1, 0, 0, 1, {0}, {0}}; },
         ErrNo::SubscriptOutOfRange, "PointCount of mesh 1 is 1: a mesh holds 2 to 32767 points"},
        {"negative PointCount", [](ObjectFile& o) { o.Meshes[0].PointCount = -1; },
         ErrNo::SubscriptOutOfRange, "PointCount of mesh 0 is -1"},
        {"X short", [](ObjectFile& o) { o.Meshes[1].X.pop_back(); }, ErrNo::InvalidCall,
         "PointCount of mesh 1 is 2 but it has 1 X and 2 Y"},
        {"Y long", [](ObjectFile& o) { o.Meshes[0].Y.push_back(0); }, ErrNo::InvalidCall,
         "PointCount of mesh 0 is 2 but it has 2 X and 3 Y"},
    };
    for (const Case& broken : cases) {
        ObjectFile object = ObjectOf({TwoPoints(), TwoPoints()});
        broken.Break(object);
        try {
            ObjectFileBytes(object);
            ADD_FAILURE() << broken.Name << " was written";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.Number(), broken.Error) << broken.Name;
            EXPECT_NE(error.Description().find(broken.Message), std::string::npos) << error.Description();
        }
    }
}

} // namespace quillax
