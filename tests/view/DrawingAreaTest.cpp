#include "drawingarea/DrawingArea.h"

#include <gtest/gtest.h>

namespace quillax {

namespace {
const QRgb Black = qRgb(0, 0, 0);
const QRgb Grey = qRgb(64, 64, 64);
} // namespace

TEST(DrawingArea, ShowsItsSceneWhoseAreaKeepsWhatIsDrawnAcrossResizesUntilCleared) {
    MeshScene scene(1, 1);
    DrawingArea area(scene);
    area.resize(40, 30);
    area.show();
    EXPECT_EQ(scene.Background().size(), QSize(40, 30));
    EXPECT_EQ(scene.Background().format(), QImage::Format_RGB32);
    EXPECT_EQ(scene.Background().pixel(0, 0), Black);
    scene.Background().setPixel(39, 29, Grey);
    area.resize(60, 50);
    EXPECT_EQ(scene.Background().size(), QSize(60, 50));
    EXPECT_EQ(scene.Background().pixel(39, 29), Grey);
    EXPECT_EQ(scene.Background().pixel(59, 49), Black);
    area.resize(20, 10);
    area.resize(60, 50);
    EXPECT_EQ(scene.Background().pixel(39, 29), Black);
    scene.Background().setPixel(5, 5, Grey);
    EXPECT_EQ(area.grab().toImage().pixel(5, 5), Grey);
    scene.Cls();
    EXPECT_EQ(scene.Background().pixel(5, 5), Black);
    EXPECT_EQ(area.ScaleWidth(), 60.0f);
    EXPECT_EQ(area.ScaleHeight(), 50.0f);
}

} // namespace quillax
