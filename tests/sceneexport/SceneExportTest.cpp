#include "sceneexport/SceneExport.h"
#include "sceneexport/ExportFormat.h"
#include "sceneexport/SceneSvg.h"
#include "support/SceneBuilder.h"
#include "support/TempFolder.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <sstream>
#include <utility>
#include <vector>

namespace quillax {

namespace {
// A scene of its own showing meshes of these points, every marker placed.
std::unique_ptr<MeshScene> SceneOf(const std::vector<Scene::Points>& meshes) {
    Scene model(meshes);
    auto scene = std::make_unique<MeshScene>(60, 40);
    scene->Show(std::move(model.Object), std::move(model.Placement));
    scene->PlaceMarkers();
    return scene;
}

QByteArray SvgOf(const MeshScene& scene) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteSceneSvg(scene, buffer);
    return buffer.data();
}

// The shapes an element paints: a path one a subpath, named as the segment or marker each stands for.
std::vector<std::string> ShapesOf(const std::string& name, const QXmlStreamAttributes& attributes,
                                  const std::string& group) {
    if (name != "path") {
        return {name};
    }
    const QString data = attributes.value("d").toString();
    const std::string shape = group.ends_with("-segments") ? "line" : "circle";
    return std::vector<std::string>(data.count('M') + data.count('m'), shape);
}

// What an SVG renderer paints, in order: each shape named by its group, a <use> replaced by the
// shapes of the group it names.
std::vector<std::string> PaintOrder(const QByteArray& svg) {
    std::map<std::string, std::vector<std::string>> groups;
    std::vector<std::string> order;
    std::vector<std::string> open;
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        const std::string name = xml.name().toString().toStdString();
        if (token == QXmlStreamReader::EndElement && name == "g") {
            open.pop_back();
        }
        if (token != QXmlStreamReader::StartElement) {
            continue;
        }
        const std::string id = xml.attributes().value("id").toString().toStdString();
        if (name == "g") {
            open.push_back(id);
        } else if (name == "use") {
            const auto href =
                xml.attributes().value("http://www.w3.org/1999/xlink", "href").toString().toStdString();
            const std::vector<std::string>& shapes = groups[href.substr(1)];
            order.insert(order.end(), shapes.begin(), shapes.end());
        } else if (name == "line" || name == "circle" || name == "path") {
            for (const std::string& kind : ShapesOf(name, xml.attributes(), open.back())) {
                const std::string shape =
                    open.back() + "/" + kind + std::to_string(groups[open.back()].size());
                groups[open.back()].push_back(shape);
                order.push_back(shape);
            }
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return order;
}
} // namespace

TEST(ExportFormat, NamesAndExtensions) {
    EXPECT_EQ(ExportFormatNamed("PNG"), ExportFormat::Png);
    EXPECT_EQ(ExportFormatNamed("bmp"), ExportFormat::Bmp);
    EXPECT_EQ(ExportFormatNamed("Svg"), ExportFormat::Svg);
    EXPECT_EQ(ExportFormatNamed("jpg"), std::nullopt);
    EXPECT_EQ(ExportFormatNamed("pn"), std::nullopt);
    EXPECT_EQ(ExportFormatNamed(""), std::nullopt);
    EXPECT_STREQ(ExportFormatName(ExportFormat::Png), "png");
    const std::vector<std::pair<std::string, std::string>> extensions = {
        {"out.png", "png"}, {"a/b.tar.GZ", "GZ"}, {"a.b/out", ""}, {".svg", ""},
        {"d/.svg", ""},     {"out.", ""},         {"-", ""},       {"x\xff.bmp", "bmp"}};
    for (const auto& [name, extension] : extensions) {
        EXPECT_EQ(ExtensionOf(name), extension) << name;
    }
}

// Each mesh is a group of its own, and what is shown again over them stacks the picture as the
// drawing area does: the other meshes' segments under their markers, the chosen mesh over them, and
// its marked line and point over everything.
TEST(SceneSvg, EachMeshIsAGroupAndTheChosenMeshAndItsMarksStayOnTop) {
    // Mesh 1's segments cross mesh 0's markers.
    const auto scene = SceneOf({{{-2, 0}, {2, 0}}, {{0, -3}, {0, 3}, {1, 3}}});
    scene->ChooseMesh(1);
    scene->MarkPoint(0);
    scene->MarkLine(1);
    scene->PlaceMarkers();
    const QByteArray svg = SvgOf(*scene);
    EXPECT_TRUE(svg.contains("width=\"60\" height=\"40\" viewBox=\"0 0 60 40\""));
    const std::vector<std::string> expected = {
        "grid/line0", "grid/line1", "grid/line2", "grid/line3", "grid/line4",
        // Every mesh in turn.
        "mesh-0-segments/line0", "mesh-0-markers/circle0", "mesh-0-markers/circle1", "mesh-1-segments/line0",
        "mesh-1-segments/line1", "mesh-1-markers/circle0", "mesh-1-markers/circle1", "mesh-1-markers/circle2",
        // Shown again: the other mesh's markers, the chosen mesh, its marked line and point.
        "mesh-0-markers/circle0", "mesh-0-markers/circle1", "mesh-1-segments/line0", "mesh-1-segments/line1",
        "mesh-1-markers/circle0", "mesh-1-markers/circle1", "mesh-1-markers/circle2", "marked-segments/line0",
        "marked-markers/circle0"};
    EXPECT_EQ(PaintOrder(svg), expected);
    const qsizetype marks = svg.indexOf("<g id=\"marks\"");
    ASSERT_GE(marks, 0);
    EXPECT_EQ(svg.mid(marks).count("#ffffff"), 2) << "the marked line and the marked point's outline";

    scene->ShowGrid = false;
    EXPECT_FALSE(SvgOf(*scene).contains("id=\"grid\""));
}

// The ends of every segment a path of the document draws, read back from its moves and lines.
std::vector<std::array<double, 4>> SegmentsDrawn(const QByteArray& svg) {
    std::vector<std::array<double, 4>> segments;
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("path") ||
            xml.attributes().value("d").contains(QLatin1String("h0"))) {
            continue;
        }
        std::istringstream data(xml.attributes()
                                    .value("d")
                                    .toString()
                                    .replace('M', " M ")
                                    .replace('m', " m ")
                                    .replace('l', " l ")
                                    .toStdString());
        double x = 0, y = 0;
        for (std::string command; data >> command;) {
            double dx = 0, dy = 0;
            data >> dx >> dy;
            if (command == "l") {
                segments.push_back({x, y, x + dx, y + dy});
            }
            x = command == "M" ? dx : x + dx;
            y = command == "M" ? dy : y + dy;
        }
    }
    return segments;
}

// A segment that reaches into the area is written even when it runs far beyond it; one wholly outside is
// not, nor a marker outside. Every end comes back exactly from the path's relative moves.
TEST(SceneSvg, WritesWhatReachesIntoTheAreaWithEveryEndExact) {
    const auto scene = SceneOf({{{0, 0}, {1e7f, 3}, {1e7f, 5}, {2, 2}, {3, 1}}});
    scene->ShowGrid = false;
    const QByteArray svg = SvgOf(*scene);
    std::vector<std::array<double, 4>> expected;
    for (const int32_t j : {0, 2, 3}) {
        const JointElement joint = scene->JointAt(j);
        expected.push_back({joint.X1 + 0.5, joint.Y1 + 0.5, joint.X2 + 0.5, joint.Y2 + 0.5});
    }
    EXPECT_EQ(SegmentsDrawn(svg), expected);
    // Markers 0, 3 and 4 of 5: dots of one path.
    EXPECT_EQ(svg.count("h0"), 3);
}

TEST(SceneExport, PicturesAreTheDrawingAreasPixelsAndFailuresLeaveNoFile) {
    TempFolder folder;
    const auto scene = SceneOf({{{-2, 0}, {2, 0}}, {{0, -3}, {0, 3}}});
    for (const ExportFormat format : {ExportFormat::Bmp, ExportFormat::Png}) {
        const std::string path = folder.Path(std::string("view.") + ExportFormatName(format));
        ASSERT_TRUE(ExportScene(*scene, path, format).Ok());
        const QImage written(QString::fromStdString(path));
        EXPECT_TRUE(written.convertToFormat(QImage::Format_RGB32) == scene->Picture()) << path;
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_TRUE(format == ExportFormat::Png ? bytes.startsWith("\x89PNG") : bytes.at(28) == 24) << path;
    }
    ASSERT_TRUE(ExportScene(*scene, folder.Path("view.svg"), ExportFormat::Svg).Ok());
    QFile svg(QString::fromStdString(folder.Path("view.svg")));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_EQ(svg.readAll(), SvgOf(*scene));

    const WriteOutcome missing = ExportScene(*scene, folder.Path("none/view.png"), ExportFormat::Png);
    EXPECT_EQ(missing.Reason, "No such file or directory");
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_FALSE(WritePicture(scene->Picture(), ExportFormat::Svg, buffer).empty());
    EXPECT_TRUE(buffer.data().isEmpty());
}

TEST(SceneExport, PngKeepsEveryChannelAndReportsADeviceThatRefuses) {
    QImage picture(256, 3, QImage::Format_RGB32);
    for (int x = 0; x < 256; ++x) {
        picture.setPixel(x, 0, qRgb(x, 0, 255 - x));
        picture.setPixel(x, 1, qRgb(0, x, 0));
        picture.setPixel(x, 2, qRgb(x, x / 2, x / 3));
    }
    picture.setDotsPerMeterX(2835);
    picture.setDotsPerMeterY(5670);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_EQ(WritePicture(picture, ExportFormat::Png, buffer), "");
    const QImage read = QImage::fromData(buffer.data(), "png");
    EXPECT_TRUE(read.convertToFormat(QImage::Format_RGB32) == picture);
    EXPECT_EQ(read.dotsPerMeterX(), 2835);
    EXPECT_EQ(read.dotsPerMeterY(), 5670);

    QBuffer closed;
    EXPECT_FALSE(WritePicture(picture, ExportFormat::Png, closed).empty());
}

} // namespace quillax
