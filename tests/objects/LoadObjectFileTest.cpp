#include "objects/ObjectFileBytes.h"
#include "objects/ObjectFileCounts.h"
#include "objects/modObjects.h"
#include "sampleobjects/SampleObject.h"
#include "support/LinBuilder.h"
#include "support/TempFolder.h"

#include "platform/RuntimeError.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <sys/stat.h>
#include <unistd.h>

namespace quillax {

namespace {
LinObject TwoPointObject() {
    LinObject object;
    object.CentreX = 1.5f;
    object.CentreY = -2.0f;
    LinMesh mesh;
    mesh.Red = 1.0f;
    mesh.Green = 0.5f;
    mesh.Blue = 0.25f;
    mesh.ExtraValue = 0xDEADBEEF;
    mesh.ExtraWord = 0xCAFE;
    mesh.Points = {{10, 20}, {30, 40}};
    object.Meshes.push_back(mesh);
    return object;
}

class LoadObjectFileTest : public ::testing::Test {
protected:
    std::string Write(const std::vector<unsigned char>& bytes, const std::string& name = "object.lin") {
        const std::string path = Folder.Path(name);
        WriteLinFile(path, bytes);
        return path;
    }
    int32_t ErrorOfLoading(const std::string& path) {
        try {
            LoadObjectFile(path, Object, Placement);
        } catch (const RuntimeError& error) {
            LastError = error.Description();
            return error.Number();
        }
        return 0;
    }

    TempFolder Folder;
    ObjectFile Object;
    ObjectPlacement Placement;
    std::string LastError;
};
} // namespace

TEST_F(LoadObjectFileTest, ReadsTheMinimalFile) {
    const auto bytes = LinBytes(TwoPointObject());
    ASSERT_EQ(bytes.size(), 50u);
    Placement.PositionX = 7;
    Placement.Angle = 1;
    ASSERT_TRUE(LoadObjectFile(Write(bytes), Object, Placement));
    EXPECT_EQ(Object.CentreX, 1.5f);
    EXPECT_EQ(Object.CentreY, -2.0f);
    ASSERT_EQ(Object.MeshCount, 1);
    const Mesh& mesh = Object.Meshes.at(0);
    EXPECT_EQ(mesh.Red, 1.0f);
    EXPECT_EQ(mesh.Blue, 0.25f);
    EXPECT_EQ(mesh.ExtraValue, 0xDEADBEEFu);
    EXPECT_EQ(mesh.ExtraWord, 0xCAFEu);
    EXPECT_EQ(mesh.PointCount, 2);
    // Interleaved X, Y, starting 20 bytes into the record.
    EXPECT_EQ(mesh.X, (std::vector<float>{10, 30}));
    EXPECT_EQ(mesh.Y, (std::vector<float>{20, 40}));
    ASSERT_EQ(Placement.Selections.size(), 1u);
    EXPECT_EQ(Placement.Selections[0].PointFlags, (std::vector<int16_t>{0, 0}));
    EXPECT_EQ(Placement.Selections[0].LineFlags, (std::vector<int16_t>{0}));
    EXPECT_EQ(Placement.PositionX, 0.0f);
    EXPECT_EQ(Placement.Angle, 0.0);
}

TEST_F(LoadObjectFileTest, IgnoresTrailingBytesAndKeepsNaNBits) {
    LinObject object = TwoPointObject();
    const float oddNaN = std::bit_cast<float>(0x7FC12345u);
    object.Meshes[0].Points[1].first = oddNaN;
    object.Meshes[0].Green = std::numeric_limits<float>::infinity();
    auto bytes = LinBytes(object);
    bytes.insert(bytes.end(), {1, 2, 3, 4, 5});
    ASSERT_TRUE(LoadObjectFile(Write(bytes), Object, Placement));
    EXPECT_EQ(std::bit_cast<uint32_t>(Object.Meshes[0].X[1]), 0x7FC12345u);
    EXPECT_TRUE(std::isinf(Object.Meshes[0].Green));
}

TEST_F(LoadObjectFileTest, WrongMagicOrMissingFileIsFalseAndTouchesNothing) {
    auto bytes = LinBytes(TwoPointObject());
    std::swap(bytes[0], bytes[3]);
    std::swap(bytes[1], bytes[2]);
    Placement.PositionX = 3;
    Placement.Angle = 0.5;
    EXPECT_FALSE(LoadObjectFile(Write(bytes), Object, Placement));
    EXPECT_EQ(Placement.PositionX, 3.0f);
    EXPECT_EQ(Placement.Angle, 0.5);
    EXPECT_FALSE(LoadObjectFile(Write({}, "empty.lin"), Object, Placement));
    EXPECT_FALSE(LoadObjectFile(Write({0xDE, 0x7A, 0x3A}, "short.lin"), Object, Placement));

    const std::string missing = Folder.Path("missing.lin");
    EXPECT_FALSE(LoadObjectFile(missing, Object, Placement));
    EXPECT_FALSE(std::filesystem::exists(missing)) << "the loader must never create a file";
}

TEST_F(LoadObjectFileTest, ReadOnlyFileLoadsAndIsLeftUnchanged) {
    const auto bytes = LinBytes(TwoPointObject());
    const std::string path = Write(bytes);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    ASSERT_TRUE(LoadObjectFile(path, Object, Placement));
    std::ifstream file(path, std::ios::binary);
    const std::vector<unsigned char> after(std::istreambuf_iterator<char>(file), {});
    EXPECT_EQ(after, bytes);
}

TEST_F(LoadObjectFileTest, UnopenablePathsAreErrors) {
    EXPECT_EQ(ErrorOfLoading(Folder.Path("no-such-folder/object.lin")), ErrNo::PathNotFound);
    // Refused at once, never waited on: a folder, a FIFO without a writer, a device.
    ASSERT_EQ(mkfifo(Folder.Path("fifo.lin").c_str(), 0600), 0);
    for (const std::string& path :
         {Folder.Root().string(), Folder.Path("fifo.lin"), std::string("/dev/zero")}) {
        EXPECT_EQ(ErrorOfLoading(path), ErrNo::PathFileAccessError) << path;
        EXPECT_EQ(LastError, "Path/File access error: " + path + ": not a regular file");
    }

    // Unreadable even for the superuser: a link that leads back to itself, and a name too long.
    std::filesystem::create_symlink("loop-b.lin", Folder.Path("loop-a.lin"));
    std::filesystem::create_symlink("loop-a.lin", Folder.Path("loop-b.lin"));
    EXPECT_EQ(ErrorOfLoading(Folder.Path("loop-a.lin")), ErrNo::PathFileAccessError);
    EXPECT_NE(LastError.find("loop-a.lin"), std::string::npos) << LastError;
    EXPECT_EQ(ErrorOfLoading(Folder.Path(std::string(300, 'n'))), ErrNo::PathFileAccessError);

    const std::string locked = Write(LinBytes(TwoPointObject()), "locked.lin");
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    if (geteuid() != 0) {
        EXPECT_EQ(ErrorOfLoading(locked), ErrNo::PathFileAccessError) << "the superuser reads it regardless";
    }

    std::filesystem::create_symlink("nowhere.lin", Folder.Path("dangling.lin"));
    EXPECT_FALSE(LoadObjectFile(Folder.Path("dangling.lin"), Object, Placement)) << "a missing file";
}

TEST_F(LoadObjectFileTest, CountsOutOfRangeAreErrors) {
    LinObject noMeshes = TwoPointObject();
    noMeshes.MeshCountOverride = 0;
    EXPECT_EQ(ErrorOfLoading(Write(LinBytes(noMeshes))), ErrNo::SubscriptOutOfRange);
    EXPECT_EQ(LastError,
              "Subscript out of range: MeshCount is 0 at byte offset 12 of " + Folder.Path("object.lin"));

    LinObject mostNegative = TwoPointObject();
    mostNegative.MeshCountOverride = 0x8000;
    EXPECT_EQ(ErrorOfLoading(Write(LinBytes(mostNegative))), ErrNo::Overflow);
    EXPECT_EQ(LastError,
              "Overflow: MeshCount is -32768 (the count minus one leaves 16 bits) at byte offset 12 of " +
                  Folder.Path("object.lin"));

    LinObject onePoint = TwoPointObject();
    onePoint.Meshes[0].Points.resize(1);
    EXPECT_EQ(ErrorOfLoading(Write(LinBytes(onePoint))), ErrNo::SubscriptOutOfRange);

    EXPECT_NE(LastError.find("PointCount of mesh 0 is 1 (fewer than 2) at byte offset 32 of "),
              std::string::npos);

    LinObject negativePoints = TwoPointObject();
    negativePoints.Meshes[0].PointCountOverride = 0x8000;
    EXPECT_EQ(ErrorOfLoading(Write(LinBytes(negativePoints))), ErrNo::Overflow);
    EXPECT_NE(LastError.find("PointCount of mesh 0 is -32768"), std::string::npos) << LastError;
    EXPECT_NE(LastError.find("object.lin"), std::string::npos) << LastError;

    LinObject noPoints = TwoPointObject();
    noPoints.Meshes[0].PointCountOverride = 0;
    EXPECT_EQ(ErrorOfLoading(Write(LinBytes(noPoints))), ErrNo::SubscriptOutOfRange);

    LinObject minusOneMesh = TwoPointObject();
    minusOneMesh.MeshCountOverride = 0xFFFF;
    EXPECT_EQ(ErrorOfLoading(Write(LinBytes(minusOneMesh))), ErrNo::SubscriptOutOfRange);

    LinObject minusOnePoint = TwoPointObject();
    minusOnePoint.Meshes[0].PointCountOverride = 0xFFFF;
    EXPECT_EQ(ErrorOfLoading(Write(LinBytes(minusOnePoint))), ErrNo::SubscriptOutOfRange);
}

TEST_F(LoadObjectFileTest, EveryProperPrefixIsAnErrorOrFalse) {
    LinObject object = TwoPointObject();
    object.Meshes.push_back(object.Meshes[0]);
    const auto bytes = LinBytes(object);
    for (size_t length = 0; length < bytes.size(); ++length) {
        const std::vector<unsigned char> prefix(bytes.begin(), bytes.begin() + static_cast<long>(length));
        const std::string path = Write(prefix);
        if (length < 4) {
            EXPECT_FALSE(LoadObjectFile(path, Object, Placement)) << length;
            continue;
        }
        EXPECT_EQ(ErrorOfLoading(path), ErrNo::InputPastEndOfFile) << length;
        EXPECT_NE(LastError.find("byte offset"), std::string::npos) << LastError;
    }
}

TEST_F(LoadObjectFileTest, TruncationNamesTheFieldAndOffset) {
    LinObject object = TwoPointObject();
    object.Meshes.push_back(object.Meshes[0]);
    const auto bytes = LinBytes(object);
    // Each field's first byte; the file is cut there and one byte into the field.
    const std::vector<std::pair<size_t, std::string>> fields = {
        {4, "CentreX at byte offset 4"},
        {8, "CentreY at byte offset 8"},
        {12, "MeshCount at byte offset 12"},
        {14, "Red of mesh 0 at byte offset 14"},
        {18, "Green of mesh 0 at byte offset 18"},
        {22, "Blue of mesh 0 at byte offset 22"},
        {26, "ExtraValue of mesh 0 at byte offset 26"},
        {30, "ExtraWord of mesh 0 at byte offset 30"},
        {32, "PointCount of mesh 0 at byte offset 32"},
        {34, "the points of mesh 0 at byte offset 34"},
        {45, "the points of mesh 0 at byte offset 34"},
        {50, "Red of mesh 1 at byte offset 50"},
        {68, "PointCount of mesh 1 at byte offset 68"},
        {70, "the points of mesh 1 at byte offset 70"},
    };
    for (const auto& [start, message] : fields) {
        for (const size_t length : {start, start + 1}) {
            const std::vector<unsigned char> prefix(bytes.begin(), bytes.begin() + static_cast<long>(length));
            EXPECT_EQ(ErrorOfLoading(Write(prefix)), ErrNo::InputPastEndOfFile) << length;
            EXPECT_NE(LastError.find(message), std::string::npos) << length << ": " << LastError;
        }
    }
}

// The clipboard's bytes are read as a file is, its every refusal with it.
TEST_F(LoadObjectFileTest, BytesInMemoryReadAsTheFileOfThemDoes) {
    LinObject object = TwoPointObject();
    object.Meshes[0].Points[1].second = std::bit_cast<float>(0xFFC00001u);
    object.TrailingBytes = {7, 8, 9};
    const auto bytes = LinBytes(object);
    ObjectFile read;
    ObjectPlacement placement;
    ASSERT_TRUE(LoadObjectBytes(bytes, "the clipboard", read, placement));
    EXPECT_EQ(ObjectFileBytes(read), bytes);
    EXPECT_EQ(placement.Selections.at(0).PointFlags.size(), 2u);
    for (size_t length = 0; length < bytes.size() - 3; ++length) {
        const std::vector<unsigned char> prefix(bytes.begin(), bytes.begin() + static_cast<long>(length));
        const int32_t fromFile = ErrorOfLoading(Write(prefix));
        const std::string fileMessage = LastError;
        int32_t fromBytes = 0;
        try {
            EXPECT_EQ(LoadObjectBytes(prefix, Folder.Path("object.lin"), read, placement), length >= 4)
                << length;
        } catch (const RuntimeError& error) {
            fromBytes = error.Number();
            EXPECT_EQ(error.Description(), fileMessage) << length;
        }
        EXPECT_EQ(fromBytes, fromFile) << length;
    }
    std::vector<unsigned char> longTail = LinBytes(TwoPointObject());
    longTail.resize(longTail.size() + MaxTrailingBytes + 1, 5);
    ASSERT_TRUE(LoadObjectBytes(longTail, "the clipboard", read, placement));
    EXPECT_TRUE(read.TrailingBytes.empty());
    EXPECT_EQ(read.DroppedTrailingBytes, MaxTrailingBytes + 1);
}

// Only the headers are read: what the loader would allocate, up to the first count it refuses.
TEST_F(LoadObjectFileTest, CountsAreReadFromTheMeshHeadersAlone) {
    LinObject object = TwoPointObject();
    object.Meshes.push_back(object.Meshes[0]);
    object.Meshes[1].Points.resize(7, {1, 1});
    object.TrailingBytes = {0xFF, 0x7F, 0xFF, 0x7F};
    const auto bytes = LinBytes(object);
    const auto counted = [&](size_t length) {
        const ObjectFileCounts counts =
            CountObjectFile(Write({bytes.begin(), bytes.begin() + static_cast<long>(length)}));
        return std::pair(counts.Meshes, counts.Points);
    };
    EXPECT_EQ(counted(bytes.size()), std::pair(2, uint64_t{9}));
    EXPECT_EQ(counted(70), std::pair(2, uint64_t{9})) << "mesh 1's header is there, its points are not";
    EXPECT_EQ(counted(69), std::pair(2, uint64_t{2}));
    EXPECT_EQ(counted(14), std::pair(2, uint64_t{0}));
    EXPECT_EQ(counted(13), std::pair(0, uint64_t{0}));

    LinObject claim = TwoPointObject();
    claim.MeshCountOverride = 32767;
    EXPECT_EQ(CountObjectFile(Write(LinBytes(claim))).Points, 2u) << "a claim the file cannot hold";
    LinObject refused = object;
    refused.Meshes[0].PointCountOverride = 1;
    EXPECT_EQ(CountObjectFile(Write(LinBytes(refused))).Points, 0u);
    EXPECT_EQ(CountObjectFile(Write({'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0})).Meshes, 0);
    EXPECT_EQ(CountObjectFile(Folder.Path("missing.lin")).Meshes, 0);
}

TEST(SampleObject, TheShippedAssetIsTheGeneratedShip) {
    std::ifstream file(std::string(QUILLAX_ASSETS) + "/PlayerTopb.lin", std::ios::binary);
    const std::vector<unsigned char> shipped(std::istreambuf_iterator<char>(file), {});
    EXPECT_EQ(shipped, ObjectFileBytes(SampleShip()));
}

} // namespace quillax
