#include "view/PixelCanvas.h"
#include "support/ElementMarkers.h"
#include "view/ShortSegment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <set>

namespace quillax {

// The elements a large object is made of, markers of the designed sizes and thin segments, have
// paths of their own where they lie wholly inside the clip. Each must give the pixels that the
// general path gives the same element where the clip cuts it.
namespace {
constexpr int32_t Fill = 0x3060C0;
constexpr int32_t Border = 0xFFFFFF;

QImage Painted(const ElementMarkers& markers, QSize size, const QRect& clip, QPoint offset = {}) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    PixelCanvas(image, clip, offset)
        .Paint(markers, PaintOrderOf({}, markers.NodeCount(), markers.JointCount()));
    return image;
}

// What `image` shows within `clip`, black elsewhere.
QImage Within(const QImage& image, const QRect& clip) {
    QImage cut(image.size(), image.format());
    cut.fill(Qt::black);
    for (int y = clip.top(); y <= clip.bottom(); ++y) {
        for (int x = clip.left(); x <= clip.right(); ++x) {
            cut.setPixel(x, y, image.pixel(x, y));
        }
    }
    return cut;
}
} // namespace

// Every quarter-pixel position, in element coordinates below zero, and every place a clip edge can
// cut the box from either corner.
TEST(PixelCanvas, DesignedMarkersHaveTheirShapesPixelsWhereverTheClipCutsThem) {
    const QSize size(16, 16);
    const QPoint offset(14, 12);
    for (const int side : {3, 5}) {
        for (int quarters = 0; quarters < 16; ++quarters) {
            ElementMarkers markers;
            NodeElement& node = markers.Nodes.emplace_back();
            node.Left = -7.5f + static_cast<float>(quarters % 4 - 1) / 4;
            node.Top = -5.5f + static_cast<float>(quarters / 4 - 1) / 4;
            node.Width = static_cast<float>(side);
            node.Height = static_cast<float>(side);
            node.FillColor = Fill;
            node.BorderColor = Border;
            node.Visible = true;
            const QImage whole = Painted(markers, size, QRect(QPoint(), size), offset);
            const QPoint corner(static_cast<int>(std::floor(node.Left + 0.5)) + offset.x(),
                                static_cast<int>(std::floor(node.Top + 0.5)) + offset.y());
            ASSERT_EQ(whole.pixel(corner + QPoint(1, 1)), qRgb(Fill & 0xFF, Fill >> 8 & 0xFF, Fill >> 16));
            for (int x = -1; x <= side; ++x) {
                for (int y = -1; y <= side; ++y) {
                    const QPoint edge = corner + QPoint(x, y);
                    for (const QRect clip : {QRect(edge, QPoint(15, 15)), QRect(QPoint(), edge)}) {
                        ASSERT_EQ(Painted(markers, size, clip, offset), Within(whole, clip))
                            << side << " " << quarters << " " << x << " " << y;
                    }
                }
            }
        }
    }
}

// Ends from just outside the clip's top-left corner (rounding onto its edge, which the general path
// draws) to well inside it, halves among them; the same segments two pixels further in lie inside
// the clip.
TEST(PixelCanvas, ThinSegmentsInsideTheClipHaveThePixelsOfTheGeneralWalk) {
    const float ends[] = {-0.5f, -0.3f, 0.7f, 1.5f, 2.5f, 3, 5.5f};
    const QSize size(8, 8);
    const QSize larger(10, 10);
    for (const float x1 : ends) {
        for (const float y1 : ends) {
            for (const float x2 : ends) {
                for (const float y2 : ends) {
                    ElementMarkers markers;
                    markers.Joints.push_back({x1, y1, x2, y2, Border, 1, true});
                    const QImage general = Painted(markers, size, QRect(QPoint(), size));
                    const QImage inside =
                        Painted(markers, larger, QRect(QPoint(), larger), QPoint(2, 2)).copy(2, 2, 8, 8);
                    ASSERT_EQ(inside, general) << x1 << " " << y1 << " " << x2 << " " << y2;
                }
            }
        }
    }
}

// Short segments are written from patterns made when the program is built: each must hold the pixels
// of the walk, in an image as wide as the largest drawing area.
TEST(PixelCanvas, ShortSegmentPatternsHoldThePixelsOfTheWalk) {
    constexpr int64_t line = 32767;
    for (int64_t dy = -ShortSegment::Reach; dy <= ShortSegment::Reach; ++dy) {
        for (int64_t dx = -ShortSegment::Reach; dx <= ShortSegment::Reach; ++dx) {
            ASSERT_TRUE(ShortSegment::Holds(dx, dy));
            std::set<int64_t> walked;
            WalkThinSegment(dx, dy, line, [&walked](int64_t at) { walked.insert(at); });
            const ShortSegment& segment = ShortSegments[ShortSegment::IndexOf(dx, dy)];
            std::set<int64_t> patterned;
            for (size_t k = 0; k < ShortSegment::Pixels; ++k) {
                patterned.insert(segment.Down[k] * line + segment.Across[k]);
            }
            ASSERT_EQ(patterned, walked) << dx << " " << dy;
        }
    }
    EXPECT_FALSE(ShortSegment::Holds(ShortSegment::Reach + 1, 0));
    EXPECT_FALSE(ShortSegment::Holds(0, -ShortSegment::Reach - 1));
}

} // namespace quillax
