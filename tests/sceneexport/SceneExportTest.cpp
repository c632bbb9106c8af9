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

#include <map>
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

TEST(SceneSvg, EachMeshIsAGroupAndEveryMarkerStaysOverEverySegment) {
    // Mesh 1's segment crosses mesh 0's markers, as segments drawn later would cover them.
    const auto scene = SceneOf({{{-2, 0}, {2, 0}}, {{0, -3}, {0, 3}, {1, 3}}});
    const QByteArray svg = SvgOf(*scene);
    EXPECT_TRUE(svg.contains("width=\"60\" height=\"40\" viewBox=\"0 0 60 40\""));
    const std::vector<std::string> order = PaintOrder(svg);
    const std::vector<std::string> expected = {"grid/line0",
                                               "grid/line1",
                                               "grid/line2",
                                               "grid/line3",
                                               "grid/line4",
                                               "mesh-0-segments/line0",
                                               "mesh-0-markers/circle0",
                                               "mesh-0-markers/circle1",
                                               "mesh-1-segments/line0",
                                               "mesh-1-segments/line1",
                                               "mesh-1-markers/circle0",
                                               "mesh-1-markers/circle1",
                                               "mesh-1-markers/circle2",
                                               "mesh-0-markers/circle0",
                                               "mesh-0-markers/circle1",
                                               "mesh-1-markers/circle0",
                                               "mesh-1-markers/circle1",
                                               "mesh-1-markers/circle2"};
    EXPECT_EQ(order, expected);
    // The last paint: every segment, then every marker in the pools' order, as the drawing area paints.
    const std::vector<std::string> last(order.end() - 5, order.end());
    EXPECT_EQ(last, std::vector<std::string>(expected.begin() + 8 + 5, expected.end()));

    scene->ShowGrid = false;
    EXPECT_FALSE(SvgOf(*scene).contains("id=\"grid\""));
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

} // namespace quillax
