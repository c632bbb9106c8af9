#include "view/SceneMarkers.h"
#include "support/ElementMarkers.h"
#include "support/SceneBuilder.h"
#include "view/MarkerHitTest.h"
#include "view/MarkerPainter.h"
#include "view/MarkerStacking.h"

#include <QPainter>
#include <QPixmap>
#include <gtest/gtest.h>

#include <cstdint>

namespace quillax {

namespace {
// The same markers element by element, as every property of them reads.
ElementMarkers ElementsOf(const SceneMarkers& markers) {
    ElementMarkers elements;
    for (int32_t n = 0; n < markers.NodeCount(); ++n) {
        elements.Nodes.push_back(markers.NodeAt(n));
    }
    for (int32_t j = 0; j < markers.JointCount(); ++j) {
        elements.Joints.push_back(markers.JointAt(j));
    }
    return elements;
}

QImage Painted(const MarkerSource& markers, const MarkerStacking& stacking, const QRect& clip,
               QSize size = {120, 80}) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setClipRect(clip);
    PaintMarkers(painter, markers, stacking);
    return image;
}

// The same through a painter that takes every element in one pass.
QImage PaintedInOnePass(const MarkerSource& markers, const MarkerStacking& stacking, const QRect& clip,
                        QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::black);
    QPainter painter(&pixmap);
    painter.setClipRect(clip);
    PaintMarkers(painter, markers, stacking);
    painter.end();
    return pixmap.toImage().convertToFormat(QImage::Format_RGB32);
}
} // namespace

// Random walks of three meshes that cross the picture's edges, repeat positions, leave the range the
// packed positions hold and have no position at all, with marks among them: the runs passed over,
// written whole and painted marker by marker give the pixels of the markers painted one by one.
TEST(SceneMarkers, PaintingByRunsGivesThePixelsOfEveryMarkerOnItsOwn) {
    uint64_t state = 11;
    const auto next = [&state](int below) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        return static_cast<int>((state >> 33) % static_cast<uint64_t>(below));
    };
    std::vector<Scene::Points> meshes(3);
    float x = 0;
    float y = 0;
    for (Scene::Points& points : meshes) {
        for (int k = 0; k < 3000; ++k) {
            x = std::clamp(x + static_cast<float>(next(7) - 3) * (next(3) == 0 ? 0 : 1.0f), -25.0f, 25.0f);
            y = std::clamp(y + static_cast<float>(next(7) - 3) * 0.5f, -15.0f, 15.0f);
            const int odd = next(500);
            points.emplace_back(odd == 0 ? 1e5f : x, odd == 1 ? std::numeric_limits<float>::quiet_NaN() : y);
        }
    }
    Scene scene(meshes);
    for (MeshSelection& marks : scene.Placement.Selections) {
        for (int16_t& flag : marks.PointFlags) {
            flag = next(9) == 0 ? -1 : 0;
        }
        for (int16_t& flag : marks.LineFlags) {
            flag = next(9) == 0 ? -1 : 0;
        }
    }
    scene.View.Width = 120;
    scene.View.Height = 80;
    scene.View.Scale = 2;
    scene.FillPools();
    for (const int32_t chosen : {1, -1}) {
        scene.Redraw(chosen);
        const SceneMarkers markers = scene.Markers();
        const ElementMarkers elements = ElementsOf(markers);
        const MarkerStacking stacking =
            StackingOf(scene.Object, scene.Placement, chosen, scene.Nodes, scene.Joints);
        for (const QRect clip : {QRect(0, 0, 120, 80), QRect(17, 9, 61, 43), QRect(40, 30, 3, 2)}) {
            const QImage byRuns = Painted(markers, stacking, clip);
            EXPECT_EQ(byRuns, Painted(elements, stacking, clip)) << chosen << " " << clip.x();
            EXPECT_NE(byRuns, Painted(ElementMarkers{}, stacking, clip)) << "something is painted";
        }
        // Hits too: what the runs' bounds and the packed positions rule out is never the one found.
        const MarkerRange all = AllMarkers(scene.Nodes, scene.Joints);
        int found = 0;
        for (int y = -10; y < 90; y += 3) {
            for (int x = -10; x < 130; x += 3) {
                const std::optional<MarkerHit> hit = HitMarker(markers, all, x + 0.5, y, 5);
                ASSERT_EQ(hit, HitMarker(elements, all, x + 0.5, y, 5)) << x << " " << y;
                found += hit ? 1 : 0;
            }
        }
        EXPECT_GT(found, 100);
    }
}

// Enough markers to be shared between threads, in rows that fill the picture one beside the other at
// the designed zoom, pile up farther out and lie mostly outside closer in. However the source reckons
// the cost of its parts (and where a part ends inside a run), the pixels are those of one pass, also
// on clips that reach few runs or none.
TEST(SceneMarkers, SharedByTheirCostTheyHaveThePixelsOfOnePass) {
    uint64_t state = 5;
    const auto next = [&state](int below) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        return static_cast<int>((state >> 33) % static_cast<uint64_t>(below));
    };
    std::vector<Scene::Points> meshes(3);
    for (size_t m = 0; m < meshes.size(); ++m) {
        for (int k = 0; k < 25000; ++k) {
            const int row = k / 250 + 100 * static_cast<int>(m);
            meshes[m].emplace_back(static_cast<float>(k % 250 * 4 - 500), static_cast<float>(row * 3 - 450));
        }
    }
    Scene scene(meshes);
    for (int16_t& flag : scene.Placement.Selections[2].PointFlags) {
        flag = next(5) == 0 ? -1 : 0;
    }
    const QSize size(1000, 900);
    scene.View.Width = size.width();
    scene.View.Height = size.height();
    scene.FillPools();
    for (const float scale : {0.3f, 1.0f, 6.0f}) {
        scene.View.Scale = scale;
        scene.Redraw(2);
        const SceneMarkers markers = scene.Markers();
        const MarkerStacking stacking =
            StackingOf(scene.Object, scene.Placement, 2, scene.Nodes, scene.Joints);
        for (const QRect clip : {QRect(QPoint(), size), QRect(50, 500, 300, 200), QRect(998, 0, 2, 900)}) {
            EXPECT_EQ(Painted(markers, stacking, clip, size), PaintedInOnePass(markers, stacking, clip, size))
                << scale << " " << clip.x();
        }
    }
}

} // namespace quillax
