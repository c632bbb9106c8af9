#include "support/EditorFixture.h"

#include "app/frmMain.h"
#include "browse/SelectorStrip.h"
#include "drawingarea/DrawingArea.h"

#include <QGroupBox>
#include <QTest>

namespace quillax {

// Runs with QT_SCALE_FACTOR=2: two device pixels to every pixel of the design.
namespace {
class DenseScreenTest : public EditorFixture {
protected:
    void SetUp() override {
        ASSERT_EQ(Window->devicePixelRatio(), 2.0) << "run with QT_SCALE_FACTOR=2";
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
        Load(MeshesOf({4, 3}));
    }
    // The widget as the screen shows it, and its picture at one device pixel to the pixel.
    static QImage OnScreen(QWidget* widget) {
        return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    static QImage Logical(QWidget* widget) {
        QImage image(widget->size(), QImage::Format_RGB32);
        widget->render(&image);
        return image;
    }
    // Device pixels that are not the pixel of the logical picture they cover.
    static int32_t Blurred(QWidget* widget) {
        const QImage dense = OnScreen(widget);
        const QImage logical = Logical(widget);
        EXPECT_EQ(dense.size(), logical.size() * 2);
        int32_t blurred = 0;
        for (int y = 0; y < dense.height(); ++y) {
            for (int x = 0; x < dense.width(); ++x) {
                blurred += dense.pixel(x, y) != logical.pixel(x / 2, y / 2);
            }
        }
        return blurred;
    }
};
} // namespace

TEST_F(DenseScreenTest, TheWindowKeepsItsDesignedLayoutInPixels) {
    frmMain& w = *Window;
    EXPECT_EQ(w.picTopBar->geometry(), QRect(0, 0, 872, 24));
    EXPECT_EQ(w.picSideBar->geometry(), QRect(0, 24, 24, 531));
    EXPECT_EQ(w.frameControls->geometry(), QRect(616, 28, 249, 393));
    EXPECT_EQ(w.picMain->geometry(), QRect(30, 30, 578, 520));
    EXPECT_EQ(w.picMain->Scene().ViewWidth, 578);
    EXPECT_EQ(w.picMain->Scene().ViewHeight, 520);
    EXPECT_EQ(w.TwipsPerPixelY(), 15.0f);
}

TEST_F(DenseScreenTest, MarkersSegmentsAndBoxesAreDrawnSharp) {
    frmMain& w = *Window;
    w.PaintPointBox(0, 1);
    w.PaintLineBox(0, 2);
    QCoreApplication::processEvents();
    EXPECT_EQ(Blurred(w.picMain), 0);
    EXPECT_EQ(Blurred(w.picTopBar), 0);
    EXPECT_EQ(Blurred(w.picSideBar), 0);
    // The selected point's white outline, two device pixels wide.
    const NodeElement node = w.picMain->Scene().NodeAt(1);
    const QPoint outline(static_cast<int>(node.Left + node.Width / 2) + 2,
                         static_cast<int>(node.Top + node.Height / 2));
    const QImage dense = OnScreen(w.picMain);
    EXPECT_EQ(dense.pixel(2 * outline.x(), 2 * outline.y()), qRgb(255, 255, 255));
    EXPECT_EQ(dense.pixel(2 * outline.x() + 1, 2 * outline.y() + 1), qRgb(255, 255, 255));
}

} // namespace quillax
