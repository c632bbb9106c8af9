#include "randomwalk/RandomWalkObject.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quillax {

TEST(RandomWalk, MeshSizesAreCountTimesPointsGroups) {
    const auto sizes = ParseMeshSizes("30x32767,1x16990");
    ASSERT_TRUE(sizes);
    ASSERT_EQ(sizes->size(), 31u);
    EXPECT_EQ(sizes->front(), 32767);
    EXPECT_EQ(sizes->back(), 16990);
    EXPECT_EQ(ParseMeshSizes("2x3"), (std::vector<int16_t>{3, 3}));
    for (const char* bad :
         {"", "5", "x5", "0x5", "2x1", "1x32768", "1x10,", "1x10,,1x3", "1x1e3", "-1x5", "1x5 "}) {
        EXPECT_FALSE(ParseMeshSizes(bad)) << bad;
    }
}

TEST(RandomWalk, TheSameOptionsGiveTheSameObjectOfShortSteps) {
    const RandomWalkOptions options{{50, 7}, 9, 2.0f, 30.0f};
    const ObjectFile object = RandomWalkObject(options);
    ASSERT_EQ(object.MeshCount, 2);
    EXPECT_EQ(object.Meshes[1].PointCount, 7);
    for (const Mesh& mesh : object.Meshes) {
        ASSERT_EQ(mesh.X.size(), static_cast<size_t>(mesh.PointCount));
        EXPECT_LE(std::abs(mesh.X[0]), 30.0f);
        for (size_t k = 1; k < mesh.X.size(); ++k) {
            EXPECT_LE(std::abs(mesh.X[k] - mesh.X[k - 1]), 2.0f);
            EXPECT_LE(std::abs(mesh.Y[k] - mesh.Y[k - 1]), 2.0f);
        }
        EXPECT_TRUE(mesh.Red >= 0 && mesh.Red <= 1);
    }
    EXPECT_EQ(RandomWalkObject(options).Meshes[0].X, object.Meshes[0].X);
    EXPECT_NE(RandomWalkObject({{50, 7}, 10, 2.0f, 30.0f}).Meshes[0].X, object.Meshes[0].X);
}

TEST(RandomWalk, TheFileLoadsBackAsTheObject) {
    TempFolder folder;
    const ObjectFile object = RandomWalkObject({{40, 3, 2}, 4, 1.0f, 50.0f});
    const std::string path = folder.Path("walk.lin");
    WriteRandomWalkFile(path, object);
    ObjectFile loaded;
    ObjectPlacement placement;
    ASSERT_TRUE(LoadObjectFile(path, loaded, placement));
    ASSERT_EQ(loaded.MeshCount, 3);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(loaded.Meshes[i].X, object.Meshes[i].X);
        EXPECT_EQ(loaded.Meshes[i].Y, object.Meshes[i].Y);
        EXPECT_EQ(loaded.Meshes[i].Blue, object.Meshes[i].Blue);
    }
    EXPECT_THROW(WriteRandomWalkFile(folder.Path("missing/walk.lin"), object), std::runtime_error);
}

} // namespace quillax
