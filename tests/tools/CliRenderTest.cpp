#include "quillax/CliRender.h"
#include "app/frmMain.h"
#include "browse/ListBox.h"
#include "drawingarea/DrawingArea.h"
#include "quillax/CliSvg.h"
#include "quillax/ViewOptions.h"
#include "sampleobjects/SampleObject.h"
#include "support/CliRun.h"
#include "support/EditorFixture.h"

#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <QXmlStreamReader>

#include <map>

namespace quillax {

namespace {
// One editor state: reached in the window by its controls, and by `render` through its options.
struct ViewCase {
    int Mesh;
    int ZoomSteps;
    int SpacingSteps;
    bool Grid;
    std::vector<int> Points;
    std::vector<int> Lines;
};

class CliRenderTest : public EditorFixture {
protected:
    std::string Sample() {
        WriteObject(SampleShip());
        return Folder.Path("Assets/PlayerTopb.lin");
    }

    void Reach(const ViewCase& view) {
        Window->LstMeshes->SetListIndex(static_cast<int16_t>(view.Mesh));
        for (int k = 0; k < std::abs(view.ZoomSteps); ++k) {
            (view.ZoomSteps > 0 ? Window->cmdScaleUp : Window->cmdScaleDown)->click();
        }
        for (int k = 0; k < view.SpacingSteps; ++k) {
            Window->cmdGridSpaceInc->click();
        }
        if (Window->chkGrid->isChecked() != view.Grid) {
            Window->chkGrid->click();
        }
        for (const int point : view.Points) {
            Window->picPoint_Click(static_cast<int16_t>(point));
        }
        for (const int line : view.Lines) {
            Window->picLine_Click(static_cast<int16_t>(line));
        }
        Window->cmdRefresh->click();
    }

    std::vector<std::string> Options(const ViewCase& view) {
        const QSize size = Window->picMain->size();
        std::vector<std::string> options = {
            "--size",       std::to_string(size.width()) + "x" + std::to_string(size.height()),
            "--mesh",       std::to_string(view.Mesh),
            "--zoom-steps", std::to_string(view.ZoomSteps),
            "--spacing",    std::to_string(5 + view.SpacingSteps)};
        if (!view.Grid) {
            options.push_back("--no-grid");
        }
        for (const int point : view.Points) {
            options.insert(options.end(), {"--mark-point", std::to_string(point)});
        }
        for (const int line : view.Lines) {
            options.insert(options.end(), {"--mark-line", std::to_string(line)});
        }
        return options;
    }

    static QImage Rgb32(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }
};
} // namespace

TEST_F(CliRenderTest, TheDefaultSizeIsTheDrawingAreaOfTheOpenedWindow) {
    EXPECT_EQ(Window->picMain->size(), QSize(DefaultViewWidth, DefaultViewHeight));
}

class CliRenderViewTest : public CliRenderTest, public ::testing::WithParamInterface<ViewCase> {};

TEST_P(CliRenderViewTest, RenderGivesTheDrawingAreaPixelForPixelInBothFormats) {
    const std::string input = Sample();
    Window->cmdLoadFile->click();
    Reach(GetParam());
    const QImage shown = Rgb32(Window->picMain->grab().toImage());
    for (const char* extension : {".png", ".bmp"}) {
        const std::string output = Folder.Path(std::string("view") + extension);
        std::vector<std::string> arguments = {input, output};
        const auto options = Options(GetParam());
        arguments.insert(arguments.end(), options.begin(), options.end());
        const CliRun run = RunCli(CliRender, arguments);
        ASSERT_EQ(run.Status, 0) << run.Err;
        const QImage rendered = Rgb32(QImage(QString::fromStdString(output)));
        ASSERT_EQ(rendered.size(), shown.size());
        int differing = 0;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                differing += rendered.pixel(x, y) != shown.pixel(x, y) ? 1 : 0;
            }
        }
        EXPECT_EQ(differing, 0) << extension;
    }
    EXPECT_TRUE(Boxes.Records.empty());
}

INSTANTIATE_TEST_SUITE_P(Views, CliRenderViewTest,
                         ::testing::Values(ViewCase{0, 0, 0, true, {}, {}},
                                           ViewCase{2, 3, 2, true, {1, 3}, {0}},
                                           ViewCase{1, -2, 0, false, {0}, {2}},
                                           ViewCase{4, 9, 0, true, {}, {1}},
                                           ViewCase{3, -12, 4, true, {2}, {}}));

TEST_F(CliRenderTest, BitmapOutputIsTwentyFourBit) {
    const std::string output = Folder.Path("ship.bmp");
    ASSERT_EQ(RunCli(CliRender, {Sample(), output}).Status, 0);
    QFile file(QString::fromStdString(output));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes.left(2), "BM");
    EXPECT_EQ(bytes.at(28), 24);
    EXPECT_EQ(QImage::fromData(bytes).size(), QSize(DefaultViewWidth, DefaultViewHeight));
}

TEST_F(CliRenderTest, SvgHasTheGridSegmentsAndMarkers) {
    const std::string input = Sample();
    const auto counts = [&](std::vector<std::string> options) {
        const std::string output = Folder.Path("ship.svg");
        options.insert(options.begin(), {input, output});
        EXPECT_EQ(RunCli(CliSvg, options).Status, 0);
        QFile file(QString::fromStdString(output));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        std::map<std::string, int> elements;
        std::string group;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement) {
                if (xml.name() == QLatin1String("g")) {
                    group = xml.attributes().value("id").toString().toStdString();
                }
                ++elements[group + "/" + xml.name().toString().toStdString()];
                // A path of markers or segments draws one a subpath.
                const QString data = xml.attributes().value("d").toString();
                elements[group + "/subpath"] += static_cast<int>(data.count('M') + data.count('m'));
            }
        }
        EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
        return elements;
    };
    auto elements = counts({});
    // The sample ship's meshes have 15, 8, 7, 5 and 3 points, all of them in the area.
    const int points[] = {15, 8, 7, 5, 3};
    for (int mesh = 0; mesh < 5; ++mesh) {
        const std::string id = "mesh-" + std::to_string(mesh);
        EXPECT_EQ(elements[id + "-markers/subpath"], points[mesh]) << id;
        EXPECT_EQ(elements[id + "-segments/subpath"], points[mesh] - 1) << id;
    }
    // Shown again over them: the four other meshes' markers, then mesh 0's segments and markers.
    EXPECT_EQ(elements["markers/use"], 4 + 2);
    EXPECT_EQ(elements["marked-markers/subpath"] + elements["marked-markers/circle"], 0);
    // Cells of 20 pixels centred on the object: 5 columns and 3 rows of lines. Only what reaches into the
    // area (12.5 units either side across, 7.5 up and down) is written: of mesh 0, points 3 (10, 0) and 11
    // (-10, 0) and the four segments to and from them.
    elements = counts({"--size", "100x60", "--spacing", "5"});
    EXPECT_EQ(elements["grid/line"], 5 + 3);
    EXPECT_EQ(elements["mesh-0-markers/subpath"], 2);
    EXPECT_EQ(elements["mesh-0-segments/subpath"], 4);
    elements = counts({"--no-grid", "--mark-point", "2"});
    EXPECT_EQ(elements.count("grid/line"), 0u);
    // The marked point has an outline of its own colour: a circle; the others are dots of one path.
    EXPECT_EQ(elements["mesh-0-markers/circle"], 1);
    EXPECT_EQ(elements["mesh-0-markers/subpath"], 14);
    EXPECT_EQ(elements["marked-markers/circle"], 1) << "the marked point, over the rest";
}

TEST_F(CliRenderTest, BadOptionsAreUsageErrorsAndBadViewsFailWithTheFileName) {
    const std::string input = Sample();
    const std::string output = Folder.Path("out.png");
    const std::string svg = Folder.Path("out.svg");
    for (const std::vector<std::string>& options : std::vector<std::vector<std::string>>{{"--size", "0x5"},
                                                                                         {"--size", "12"},
                                                                                         {"--mesh", "one"},
                                                                                         {"--spacing", "0"},
                                                                                         {"--zoom-steps"},
                                                                                         {"--frobnicate"},
                                                                                         {"extra.png"}}) {
        std::vector<std::string> arguments = {input, output};
        arguments.insert(arguments.end(), options.begin(), options.end());
        const CliRun run = RunCli(CliRender, arguments);
        EXPECT_EQ(run.Status, 2) << options[0];
        EXPECT_NE(run.Err.find("usage:"), std::string::npos);
        arguments[1] = svg;
        EXPECT_EQ(RunCli(CliSvg, arguments).Status, 2) << options[0];
    }
    const CliRun mesh = RunCli(CliRender, {input, output, "--mesh", "5"});
    EXPECT_EQ(mesh.Status, 1);
    EXPECT_EQ(mesh.Err, "quillax render: " + input + ": mesh 5: the object has meshes 0 to 4\n");
    const CliRun line = RunCli(CliRender, {input, output, "--mesh", "4", "--mark-line", "99"});
    EXPECT_EQ(line.Status, 1);
    EXPECT_EQ(line.Err, "quillax render: " + input + ": line 99: mesh 4 has lines 0 to 1\n");
    const CliRun point = RunCli(CliSvg, {input, svg, "--mesh", "2", "--mark-point", "7"});
    EXPECT_EQ(point.Err, "quillax svg: " + input + ": point 7: mesh 2 has points 0 to 6\n");
    const CliRun missing = RunCli(CliSvg, {Folder.Path("none.lin"), svg});
    EXPECT_EQ(missing.Status, 1);
    EXPECT_NE(missing.Err.find("none.lin: no such file"), std::string::npos);
    const CliRun unwritable = RunCli(CliRender, {input, Folder.Path("no/such/folder/out.bmp")});
    EXPECT_EQ(unwritable.Status, 1);
    EXPECT_NE(unwritable.Err.find("cannot write " + Folder.Path("no/such/folder/out.bmp") +
                                  ": No such file or directory"),
              std::string::npos)
        << unwritable.Err;
    EXPECT_EQ(RunCli(CliRender, {"--help"}).Status, 0);
}

} // namespace quillax

namespace quillax {

// --fit is the editor's Home, pixel for pixel, also with later zoom steps (without the grid, whose
// earlier tilings the window keeps where a later one stops short); --zoom and --centre put a model point
// in the middle of the area at that many pixels a unit.
TEST_F(CliRenderTest, FitZoomAndCentrePlaceTheViewAsTheEditorWould) {
    const std::string input = Sample();
    Window->cmdLoadFile->click();
    Window->chkGrid->click();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
    QTest::keyClick(Window->picMain, Qt::Key_Home);
    Window->cmdScaleUp->click();
    const QImage shown = Rgb32(Window->picMain->grab().toImage());
    const std::string output = Folder.Path("fit.png");
    const CliRun fit = RunCli(CliRender, {input, output, "--fit", "--zoom-steps", "1", "--no-grid"});
    ASSERT_EQ(fit.Status, 0) << fit.Err;
    EXPECT_TRUE(Rgb32(QImage(QString::fromStdString(output))) == shown);

    // Point 1 of mesh 0 is (6, -30), point 0 (0, -40); the area's middle is pixel (289, 260).
    const CliRun centred =
        RunCli(CliRender, {input, output, "--zoom", "8", "--centre", "6,-30", "--no-grid"});
    ASSERT_EQ(centred.Status, 0) << centred.Err;
    const QImage picture = Rgb32(QImage(QString::fromStdString(output)));
    const QRgb colour = qRgb(89, 217, 255);
    EXPECT_EQ(picture.pixel(289, 260), colour);
    EXPECT_EQ(picture.pixel(289 - 6 * 8, 260 - 10 * 8), colour);
    EXPECT_EQ(picture.pixel(289 - 6 * 4, 260 - 10 * 4), colour) << "on the segment between them";

    for (const std::vector<std::string>& wrong :
         std::vector<std::vector<std::string>>{{"--fit", "--zoom", "2"},
                                               {"--fit", "--centre", "0,0"},
                                               {"--zoom", "0"},
                                               {"--zoom", "inf"},
                                               {"--centre", "1"},
                                               {"--model"}}) {
        std::vector<std::string> arguments = {input, output};
        arguments.insert(arguments.end(), wrong.begin(), wrong.end());
        EXPECT_EQ(RunCli(CliRender, arguments).Status, 2) << wrong[0] << " " << wrong.back();
    }
    const CliRun model = RunCli(CliSvg, {input, Folder.Path("model.svg"), "--model", "--fit"});
    EXPECT_EQ(model.Status, 2);
    EXPECT_NE(
        model.Err.find("--model writes the object in model units, not a view: --fit does not go with it"),
        std::string::npos)
        << model.Err;
    ASSERT_EQ(RunCli(CliSvg, {input, Folder.Path("model.svg"), "--model"}).Status, 0);
    EXPECT_TRUE(QFile(QString::fromStdString(Folder.Path("model.svg"))).size() > 0);
}

} // namespace quillax
