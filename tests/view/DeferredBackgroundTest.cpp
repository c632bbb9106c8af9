#include "view/DeferredBackground.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <cstdint>

namespace quillax {

namespace {
// The same steps made into pixels one after another, the grid as the tile copied once per cell.
struct EagerBackground {
    QImage Image;

    void Resize(QSize area) {
        QImage resized(area, QImage::Format_RGB32);
        resized.fill(Qt::black);
        QPainter(&resized).drawImage(0, 0, Image);
        Image = resized;
    }
    void Clear(QSize area) {
        Resize(area);
        Image.fill(Qt::black);
    }
    // One copy of the tile per cell: every column span across every row span, pixel by pixel.
    void Grid(QSize area, const QImage& tile, const GridLayout& layout) {
        Resize(area);
        for (const TileSpan& row : layout.Rows) {
            for (const TileSpan& column : layout.Columns) {
                for (int y = 0; y < row.Length; ++y) {
                    for (int x = 0; x < column.Length; ++x) {
                        Image.setPixel(column.To + x, row.To + y, tile.pixel(column.From + x, row.From + y));
                    }
                }
            }
        }
    }
};

// A tile whose every pixel differs, so that a pixel taken from the wrong place shows.
QImage Tile(const GridLayout& layout) {
    QImage tile(layout.TileWidth, layout.TileHeight, QImage::Format_RGB32);
    for (int y = 0; y < tile.height(); ++y) {
        for (int x = 0; x < tile.width(); ++x) {
            tile.setPixel(x, y, qRgb(x * 7 % 256, y * 11 % 256, 99));
        }
    }
    return tile;
}

// Small and repeatable: a linear congruential walk over sizes, cells and kinds of step.
class Steps {
public:
    int Next(int below) {
        State = State * 6364136223846793005u + 1442695040888963407u;
        return static_cast<int>((State >> 33) % static_cast<uint64_t>(below));
    }

private:
    uint64_t State = 12345;
};
} // namespace

// Long runs of resizes and grids that stop short of the edges, read now and then: the deferred
// background always reads exactly as the steps made one by one.
TEST(DeferredBackground, ReadsAsEveryStepMadeInTurn) {
    DeferredBackground deferred;
    EagerBackground eager;
    Steps steps;
    for (int k = 0; k < 600; ++k) {
        const QSize area(20 + steps.Next(60), 15 + steps.Next(45));
        const int kind = steps.Next(10);
        if (kind == 0) {
            deferred.Clear(area);
            eager.Clear(area);
        } else if (kind <= 2) {
            deferred.Resize(area);
            eager.Resize(area);
        } else {
            const ViewTransform view{1,
                                     0,
                                     0,
                                     0,
                                     0,
                                     0,
                                     1,
                                     0,
                                     0,
                                     static_cast<int16_t>(area.width()),
                                     static_cast<int16_t>(area.height())};
            const auto layout =
                LayOutGrid(view, static_cast<int16_t>(3 + steps.Next(30)), area.width(), area.height());
            ASSERT_TRUE(layout);
            deferred.PaintGrid(area, Tile(*layout), *layout);
            eager.Grid(area, Tile(*layout), *layout);
        }
        EXPECT_EQ(deferred.Size(), area);
        if (steps.Next(40) == 0) {
            ASSERT_EQ(deferred.Image(), eager.Image) << "after step " << k;
        }
    }
    EXPECT_EQ(deferred.Image(), eager.Image);
}

// What is written into the image stays until a step paints over it or leaves it outside the area.
TEST(DeferredBackground, KeepsWhatIsWrittenIntoItAndStartsBlack) {
    DeferredBackground background;
    background.Resize(QSize(10, 8));
    EXPECT_EQ(background.Image().pixel(9, 7), qRgb(0, 0, 0));
    background.Image().setPixel(9, 7, qRgb(1, 2, 3));
    background.Resize(QSize(12, 8));
    background.Resize(QSize(12, 9));
    EXPECT_EQ(background.Image().pixel(9, 7), qRgb(1, 2, 3));
    background.Resize(QSize(9, 9));
    background.Resize(QSize(12, 9));
    EXPECT_EQ(background.Image().pixel(9, 7), qRgb(0, 0, 0));
}

} // namespace quillax
