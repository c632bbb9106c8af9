#include "view/MeshColour.h"

#include <gtest/gtest.h>

#include <limits>

namespace quillax {

TEST(MeshColour, ChosenAndDimmedFromTheWorkedFigures) {
    EXPECT_EQ(MeshColour(1.0f, 0.5f, 0.0f, ChosenFactor), 33023);
    EXPECT_EQ(MeshColour(1.0f, 0.5f, 0.0f, DimmedFactor), 8256);
    EXPECT_EQ(MeshColour(0, 0, 1.0f, DimmedFactor), 64 * 65536);
    EXPECT_EQ(MeshColour(1.0f, 1.0f, 1.0f, ChosenFactor), 0xFFFFFF);
}

TEST(MeshColour, ComponentsAreHeldWithinTheByte) {
    EXPECT_EQ(MeshColour(1.2f, 0, 0, ChosenFactor), 255);
    EXPECT_EQ(MeshColour(1.2f, 0, 0, DimmedFactor), 77);
    EXPECT_EQ(MeshColour(0, -0.5f, 0, ChosenFactor), 0);
    EXPECT_EQ(MeshColour(std::numeric_limits<float>::quiet_NaN(), 1.0f, 0, ChosenFactor), 255 * 256);
    EXPECT_EQ(MeshColour(0, 0, std::numeric_limits<float>::infinity(), ChosenFactor), 255 * 65536);
    EXPECT_EQ(MeshColour(-std::numeric_limits<float>::infinity(), 0, 0, ChosenFactor), 0);
}

TEST(MeshColour, OnlyTheChosenMeshGetsFullBrightness) {
    EXPECT_EQ(ColourFactor(2, 2), ChosenFactor);
    EXPECT_EQ(ColourFactor(2, 0), DimmedFactor);
    EXPECT_EQ(ColourFactor(0, -1), DimmedFactor);
}

} // namespace quillax
