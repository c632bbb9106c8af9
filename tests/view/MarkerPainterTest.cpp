#include "view/MarkerPainter.h"
#include "support/ElementMarkers.h"
#include "view/MeshColour.h"

#include <QPainter>
#include <QPixmap>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace quillax {

namespace {
constexpr int32_t Orange = 33023;
constexpr int32_t Green = 0x00C000;
const QRgb Black = qRgb(0, 0, 0);

QRgb Rgb(int32_t colour) {
    return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

QImage Blank(int width = 48, int height = 32, QImage::Format format = QImage::Format_RGB32) {
    QImage image(width, height, format);
    image.fill(Qt::black);
    return image;
}

void AddNode(ElementMarkers& markers, float x, float y, float side, int32_t fill, int32_t border) {
    NodeElement& node = markers.Nodes.emplace_back();
    node.Width = side;
    node.Height = side;
    node.Left = x - side / 2;
    node.Top = y - side / 2;
    node.FillColor = fill;
    node.BorderColor = border;
    node.Visible = true;
}

void AddJoint(ElementMarkers& markers, float x1, float y1, float x2, float y2, int32_t colour,
              int16_t width = 1) {
    JointElement& joint = markers.Joints.emplace_back();
    joint.X1 = x1;
    joint.Y1 = y1;
    joint.X2 = x2;
    joint.Y2 = y2;
    joint.BorderColor = colour;
    joint.BorderWidth = width;
    joint.Visible = true;
}

// Two markers joined by a segment, a selected marker and a wide segment.
struct Picture {
    Picture() {
        AddJoint(Markers, 10, 10, 30, 20, Orange);
        AddJoint(Markers, 40, 2, 40, 28, White, 2);
        AddNode(Markers, 10, 10, 3, Orange, Orange);
        AddNode(Markers, 30, 20, 5, Green, White);
    }

    QImage PaintedOn(QImage image) const {
        QPainter painter(&image);
        PaintMarkers(painter, Markers, Stacking);
        return image;
    }

    ElementMarkers Markers;
    MarkerStacking Stacking;
};

std::vector<QPoint> PixelsOf(const QImage& image, QRgb colour) {
    std::vector<QPoint> pixels;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == colour) {
                pixels.emplace_back(x, y);
            }
        }
    }
    return pixels;
}
} // namespace

TEST(PaintMarkers, DrawsMarkersOverTheirSegments) {
    const QImage image = Picture().PaintedOn(Blank());
    // The 3 x 3 marker: a plus sign of one colour, corners left alone.
    EXPECT_EQ(image.pixel(10, 10), Rgb(Orange));
    EXPECT_EQ(image.pixel(9, 10), Rgb(Orange));
    EXPECT_EQ(image.pixel(10, 11), Rgb(Orange));
    EXPECT_EQ(image.pixel(9, 9), Black);
    EXPECT_EQ(image.pixel(11, 9), Black);
    // The 5 x 5 marker: white outline around a 3 x 3 fill, corners left alone.
    EXPECT_EQ(image.pixel(30, 20), Rgb(Green));
    EXPECT_EQ(image.pixel(29, 19), Rgb(Green));
    EXPECT_EQ(image.pixel(28, 20), Rgb(White));
    EXPECT_EQ(image.pixel(29, 18), Rgb(White));
    EXPECT_EQ(image.pixel(32, 22), Rgb(Black));
    EXPECT_EQ(image.pixel(28, 18), Rgb(Black));
    EXPECT_EQ(PixelsOf(image, Rgb(Green)).size(), 9u);
}

TEST(PaintMarkers, DrawsSegmentsPixelByPixelBetweenTheirEnds) {
    const QImage image = Picture().PaintedOn(Blank());
    // Half as steep as 45 degrees: one pixel per column, stepping down every second column.
    for (int x = 12; x <= 27; ++x) {
        const int y = 10 + (x - 10 + 1) / 2;
        EXPECT_EQ(image.pixel(x, y), Rgb(Orange)) << x;
        EXPECT_EQ(image.pixel(x, y - 1), Black) << x;
        EXPECT_EQ(image.pixel(x, y + 1), Black) << x;
    }
    // The vertical segment of width 2 covers two columns from end to end.
    for (int y = 2; y <= 28; ++y) {
        EXPECT_EQ(image.pixel(40, y), Rgb(White));
        EXPECT_EQ(image.pixel(41, y), Rgb(White));
    }
    EXPECT_EQ(image.pixel(40, 1), Black);
    EXPECT_EQ(image.pixel(39, 15), Black);
    EXPECT_EQ(image.pixel(42, 15), Black);
}

TEST(PaintMarkers, GivesTheSamePixelsThroughEveryKindOfPainter) {
    const Picture picture;
    const QImage direct = picture.PaintedOn(Blank());
    EXPECT_EQ(picture.PaintedOn(Blank(48, 32, QImage::Format_ARGB32_Premultiplied))
                  .convertToFormat(QImage::Format_RGB32),
              direct);
    EXPECT_EQ(picture.PaintedOn(Blank(48, 32, QImage::Format_RGB888)).convertToFormat(QImage::Format_RGB32),
              direct);

    QPixmap pixmap(48, 32);
    pixmap.fill(Qt::black);
    {
        QPainter painter(&pixmap);
        PaintMarkers(painter, picture.Markers);
    }
    EXPECT_EQ(pixmap.toImage().convertToFormat(QImage::Format_RGB32), direct);

    QImage moved = Blank(60, 40);
    {
        QPainter painter(&moved);
        painter.translate(7, 5);
        PaintMarkers(painter, picture.Markers);
    }
    EXPECT_EQ(moved.copy(7, 5, 48, 32), direct);

    // A clip of two rectangles goes through a layer; only the clipped pixels change.
    QImage clipped = Blank();
    {
        QPainter painter(&clipped);
        painter.setClipRegion(QRegion(0, 0, 20, 32) + QRegion(35, 0, 13, 15));
        PaintMarkers(painter, picture.Markers);
    }
    EXPECT_EQ(clipped.copy(0, 0, 20, 32), direct.copy(0, 0, 20, 32));
    EXPECT_EQ(clipped.copy(35, 0, 13, 15), direct.copy(35, 0, 13, 15));
    EXPECT_EQ(clipped.pixel(30, 20), Black);
}

TEST(PaintMarkers, CutsPartsOutsideTheImageAndKeepsFarSegmentsOnTheirLine) {
    ElementMarkers markers;
    AddNode(markers, 0, 0, 5, Green, White);
    AddNode(markers, 47, 31, 5, Green, White);
    AddJoint(markers, 5, 5, 5 + 2e9f, 5 + 1e9f, Orange);
    AddJoint(markers, -3e38f, 30, 3e38f, 30, Orange);
    QImage image = Blank();
    QPainter painter(&image);
    PaintMarkers(painter, markers);
    EXPECT_EQ(image.pixel(0, 0), Rgb(Green));
    EXPECT_EQ(image.pixel(2, 1), Rgb(White));
    EXPECT_EQ(image.pixel(46, 31), Rgb(Green));
    EXPECT_EQ(image.pixel(25, 15), Rgb(Orange));
    EXPECT_EQ(image.pixel(45, 25), Rgb(Orange));
    EXPECT_EQ(image.pixel(0, 30), Rgb(Orange));
    EXPECT_EQ(image.pixel(40, 30), Rgb(Orange));
}

TEST(PaintMarkers, LeavesOutHiddenElementsAndElementsWithoutAPosition) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    ElementMarkers markers;
    AddNode(markers, nan, 10, 3, Orange, Orange);
    AddNode(markers, 10, 10, 3, Orange, Orange);
    markers.Nodes[1].Visible = false;
    AddNode(markers, 20, 10, inf, Orange, Orange);
    AddNode(markers, std::numeric_limits<float>::max(), 10, 3, Orange, Orange);
    AddNode(markers, 30, 10, 0, Orange, Orange);
    AddJoint(markers, 0, 0, nan, 20, Orange);
    AddJoint(markers, -inf, 5, 40, 5, Orange);
    QImage image = Blank();
    QPainter painter(&image);
    PaintMarkers(painter, markers);
    PaintMarkers(painter, ElementMarkers{});
    painter.end();
    EXPECT_TRUE(PixelsOf(image, Rgb(Orange)).empty());
}

// A hidden mesh's markers are left out of the order of every kind of painter, the chosen mesh's
// marked ones too.
TEST(PaintMarkers, LeavesOutTheMarkersOfHiddenMeshes) {
    Picture picture;
    const std::vector<MarkerRange> second{{1, 1, 1, 1}};
    picture.Stacking.Mesh = 0;
    picture.Stacking.Chosen = {1, 1, 1, 1};
    picture.Stacking.MarkedPoints = {{1, 2}};
    QImage direct = Blank();
    QPixmap layered(48, 32);
    layered.fill(Qt::black);
    for (QPaintDevice* device : std::initializer_list<QPaintDevice*>{&direct, &layered}) {
        QPainter painter(device);
        PaintMarkers(painter, picture.Markers, picture.Stacking, second);
    }
    for (const QImage& image : {direct, layered.toImage().convertToFormat(QImage::Format_RGB32)}) {
        EXPECT_EQ(image.pixel(10, 10), Rgb(Orange)) << "the first marker and segment are painted";
        EXPECT_EQ(image.pixel(30, 22), Black) << "the second marker is not";
        EXPECT_EQ(image.pixel(40, 15), Black) << "nor the second segment";
    }
    const std::vector<PaintRun> order = {{PaintRun::PoolOf::Joints, 0, 5}, {PaintRun::PoolOf::Nodes, 0, 5}};
    EXPECT_EQ(WithoutMarkers(order, {{1, 2, 3, 1}}),
              (std::vector<PaintRun>{{PaintRun::PoolOf::Joints, 0, 3},
                                     {PaintRun::PoolOf::Joints, 4, 5},
                                     {PaintRun::PoolOf::Nodes, 0, 1},
                                     {PaintRun::PoolOf::Nodes, 3, 5}}));
}

TEST(PaintMarkers, AnyOtherMarkerSizeIsTheInscribedEllipse) {
    ElementMarkers markers;
    AddNode(markers, 20, 15, 9, Orange, White);
    markers.Nodes[0].Width = 13;
    markers.Nodes[0].Left = 20 - 6.5f;
    const QImage image = [&] {
        QImage blank = Blank();
        QPainter painter(&blank);
        PaintMarkers(painter, markers);
        return blank;
    }();
    EXPECT_EQ(image.pixel(20, 15), Rgb(Orange));
    EXPECT_EQ(image.pixel(14, 15), Rgb(White));
    EXPECT_EQ(image.pixel(26, 15), Rgb(White));
    EXPECT_EQ(image.pixel(20, 11), Rgb(White));
    EXPECT_EQ(image.pixel(13, 15), Black);
    EXPECT_EQ(image.pixel(14, 11), Black);
    EXPECT_EQ(image.pixel(20, 10), Black);
}

} // namespace quillax

namespace quillax {

// Enough markers to be shared between threads: random walks of many colours, widths and sizes
// that cross each other and the image's edges. An image painted through the single-pass layers
// has the same pixels.
TEST(PaintMarkers, ALargeObjectHasThePixelsOfOnePass) {
    Picture crowd;
    uint64_t state = 7;
    const auto next = [&state](int below) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        return static_cast<int>((state >> 33) % static_cast<uint64_t>(below));
    };
    float x = 60;
    float y = 40;
    const auto walk = [&](int steps, bool joined) {
        for (int k = 0; k < steps; ++k) {
            const float nextX = x + static_cast<float>(next(13) - 6);
            const float nextY = y + static_cast<float>(next(13) - 6);
            const int32_t colour = next(1 << 24);
            if (joined) {
                AddJoint(crowd.Markers, x, y, nextX, nextY, colour, static_cast<int16_t>(1 + next(2)));
            }
            AddNode(crowd.Markers, nextX, nextY, next(4) == 0 ? 5.0f : 3.0f, colour ^ 0x00FF00, colour);
            x = std::clamp(nextX, -10.0f, 130.0f);
            y = std::clamp(nextY, -10.0f, 90.0f);
        }
    };
    const auto layered = [&crowd] {
        QPixmap pixmap(120, 80);
        pixmap.fill(Qt::black);
        QPainter painter(&pixmap);
        PaintMarkers(painter, crowd.Markers, crowd.Stacking);
        painter.end();
        return pixmap.toImage().convertToFormat(QImage::Format_RGB32);
    };
    walk(70000, true);
    EXPECT_EQ(crowd.PaintedOn(Blank(120, 80)), layered());
    // With far more markers than segments, the parts meet among the markers.
    walk(60000, false);
    const QImage poolOrder = crowd.PaintedOn(Blank(120, 80));
    EXPECT_EQ(poolOrder, layered());

    // A chosen run of elements in the middle of the pools, and marks in it, lie over the rest: the
    // pixels of three passes in the pools' order, the rest first, then the chosen elements not marked,
    // then the marked ones.
    crowd.Stacking = {1,
                      {40000, 50000, 30000, 20000},
                      {{31000, 31500}, {45000, 45001}},
                      {{40000, 41000}, {60000, 60002}, {89999, 90000}}};
    const auto passOf = [&crowd](int32_t k, int32_t first, int32_t count,
                                 const std::vector<PoolRun>& marked) {
        if (k < first || k >= first + count) {
            return 0;
        }
        return std::any_of(marked.begin(), marked.end(),
                           [k](const PoolRun& run) { return k >= run.First && k < run.Last; })
                   ? 2
                   : 1;
    };
    const MarkerRange& chosen = crowd.Stacking.Chosen;
    QImage passes = Blank(120, 80);
    for (int pass = 0; pass < 3; ++pass) {
        Picture part;
        part.Markers = {};
        for (int32_t j = 0; j < crowd.Markers.JointCount(); ++j) {
            if (passOf(j, chosen.FirstJoint, chosen.JointCount, crowd.Stacking.MarkedLines) == pass) {
                part.Markers.Joints.push_back(crowd.Markers.Joints[static_cast<size_t>(j)]);
            }
        }
        for (int32_t n = 0; n < crowd.Markers.NodeCount(); ++n) {
            if (passOf(n, chosen.FirstNode, chosen.NodeCount, crowd.Stacking.MarkedPoints) == pass) {
                part.Markers.Nodes.push_back(crowd.Markers.Nodes[static_cast<size_t>(n)]);
            }
        }
        passes = part.PaintedOn(passes);
    }
    const QImage stacked = crowd.PaintedOn(Blank(120, 80));
    EXPECT_NE(stacked, poolOrder);
    EXPECT_EQ(stacked, passes);
    EXPECT_EQ(stacked, layered());
}

} // namespace quillax
