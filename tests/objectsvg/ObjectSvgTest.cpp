#include "objectsvg/ObjectSvg.h"
#include "objectsvg/CurveFlattening.h"
#include "objectsvg/SvgTransform.h"
#include "platform/NumberTexts.h"
#include "support/SameObject.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>

namespace quillax {

namespace {
using Points = std::vector<std::pair<float, float>>;

Points PairsOf(const Mesh& mesh) {
    Points points;
    for (size_t k = 0; k < mesh.X.size(); ++k) {
        points.emplace_back(mesh.X[k], mesh.Y[k]);
    }
    return points;
}

std::string Svg(const std::string& body) {
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 100 100\">\n" + body + "\n</svg>\n";
}

ObjectFile Read(const std::string& document, const SvgImportOptions& options = {}) {
    const ObjectImport read = ObjectFromSvg(document, options);
    EXPECT_TRUE(read.Object) << read.Error << "\n" << document;
    return read.Object.value_or(ObjectFile{});
}

std::string ErrorOf(const std::string& document, const SvgImportOptions& options = {}) {
    const ObjectImport read = ObjectFromSvg(document, options);
    EXPECT_FALSE(read.Object) << document;
    return read.Error;
}

void ExpectNear(const Points& got, const Points& expected) {
    ASSERT_EQ(got.size(), expected.size());
    for (size_t k = 0; k < got.size(); ++k) {
        EXPECT_NEAR(got[k].first, expected[k].first, 1e-4) << k;
        EXPECT_NEAR(got[k].second, expected[k].second, 1e-4) << k;
    }
}

// The distance from p to the polyline's nearest segment.
double DistanceTo(const Mesh& mesh, SvgPoint p) {
    double nearest = INFINITY;
    for (size_t k = 0; k + 1 < mesh.X.size(); ++k) {
        const double ax = mesh.X[k], ay = mesh.Y[k], bx = mesh.X[k + 1], by = mesh.Y[k + 1];
        const double length = (bx - ax) * (bx - ax) + (by - ay) * (by - ay);
        const double t =
            length == 0 ? 0
                        : std::clamp(((p.X - ax) * (bx - ax) + (p.Y - ay) * (by - ay)) / length, 0.0, 1.0);
        nearest = std::min(nearest, std::hypot(p.X - (ax + t * (bx - ax)), p.Y - (ay + t * (by - ay))));
    }
    return nearest;
}
} // namespace

// As a vector editor saves a drawing: its own namespaces, layers as groups with transforms, colours in
// attributes, in style and inherited, hidden layers and definitions.
TEST(ObjectSvg, ShapesAsEditorsWriteThem) {
    // clang-format off
    const ObjectFile object = Read(R"svg(<?xml version="1.0" encoding="UTF-8" standalone="no"?>
<svg xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape"
   xmlns:sodipodi="http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd"
   xmlns="http://www.w3.org/2000/svg" xmlns:svg="http://www.w3.org/2000/svg"
   width="210mm" height="297mm" viewBox="0 0 210 297">
  <sodipodi:namedview id="namedview1"><inkscape:page x="0" y="0" width="210" height="297"/></sodipodi:namedview>
  <defs id="defs1"><path id="unused" d="M 0,0 L 5,5"/></defs>
  <title>ship</title>
  <g inkscape:label="Layer 1" inkscape:groupmode="layer" id="layer1" transform="translate(10,20)" stroke="#00ff00">
    <path style="fill:none;stroke:#ff0000;stroke-width:0.26" d="m 0,0 10,0 0,10 z" id="path1"/>
    <svg:polyline points="0,0 1,1" id="inherits"/>
    <g transform="scale(2) rotate(90)" style="stroke: rgb(0, 0, 255) !important">
      <line x1="1" y1="0" x2="2px" y2="0"/>
      <rect x="0" y="0" width="1" height="2" stroke="currentColor" color="#808080"/>
    </g>
  </g>
  <g inkscape:label="Hidden" style="display:none"><polygon points="0,0 1,1 2,0"/></g>
  <polygon points="0,0 4,0 4,4" fill="yellow"/>
  <path d="M 5 5 H 8 V 9 h -1 v -1" stroke="none"/>
</svg>)svg");
    // clang-format on
    ASSERT_EQ(object.MeshCount, 6);
    ExpectNear(PairsOf(object.Meshes[0]), {{10, 20}, {20, 20}, {20, 30}, {10, 20}});
    EXPECT_EQ(object.Meshes[0].Red, 1);
    EXPECT_EQ(object.Meshes[0].Green, 0);
    ExpectNear(PairsOf(object.Meshes[1]), {{10, 20}, {11, 21}});
    EXPECT_EQ(object.Meshes[1].Green, 1);
    ExpectNear(PairsOf(object.Meshes[2]), {{10, 22}, {10, 24}});
    EXPECT_EQ(object.Meshes[2].Blue, 1);
    ExpectNear(PairsOf(object.Meshes[3]), {{10, 20}, {10, 22}, {6, 22}, {6, 20}, {10, 20}});
    EXPECT_FLOAT_EQ(object.Meshes[3].Red, 128 / 255.0f);
    ExpectNear(PairsOf(object.Meshes[4]), {{0, 0}, {4, 0}, {4, 4}, {0, 0}});
    EXPECT_EQ(object.Meshes[4].Blue, 0);
    EXPECT_EQ(object.Meshes[4].Green, 1);
    ExpectNear(PairsOf(object.Meshes[5]), {{5, 5}, {8, 5}, {8, 9}, {7, 9}, {7, 8}});
    EXPECT_EQ(object.Meshes[5].Red + object.Meshes[5].Green + object.Meshes[5].Blue, 3);
}

// As another editor exports: colours in class rules of a style sheet, under each element's style.
TEST(ObjectSvg, ClassRulesOfAStyleSheetGiveColours) {
    // clang-format off
    const ObjectFile object = Read(R"svg(<?xml version="1.0" encoding="utf-8"?>
<!-- Generator: an editor's SVG export -->
<svg version="1.1" id="Layer_1" xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink"
     x="0px" y="0px" viewBox="0 0 100 100" style="enable-background:new 0 0 100 100;" xml:space="preserve">
<defs><style type="text/css"><![CDATA[
  .st0{fill:none;stroke:#FF0000;stroke-miterlimit:10;}
  .st1{fill:#00FF00;}
  /* a comment .st1{fill:#FFFFFF} */ .st2, .st3 {stroke:#0000FF}
  svg .st0 {stroke:#FFFFFF}
]]></style><polyline id="template" points="0,0 1,1"/></defs>
<polyline class="st0" points="10,10 20,20 30,10 "/>
<polygon class="st1" points="0,0 5,0 5,5 "/>
<line class="st1 st3" x1="0" y1="0" x2="1" y2="1"/>
<path class="st0" style="stroke:#00FFFF" d="M0,0h5"/>
<path style="stroke:rgb(100%, 50%, 20.1)" d="M0,0h5"/>
</svg>)svg");
    // clang-format on
    ASSERT_EQ(object.MeshCount, 5);
    const auto colour = [&](int mesh) {
        const Mesh& m = object.Meshes[static_cast<size_t>(mesh)];
        return std::vector<float>{m.Red, m.Green, m.Blue};
    };
    EXPECT_EQ(colour(0), (std::vector<float>{1, 0, 0}));
    EXPECT_EQ(colour(1), (std::vector<float>{0, 1, 0}));
    EXPECT_EQ(colour(2), (std::vector<float>{0, 0, 1}));
    EXPECT_EQ(colour(3), (std::vector<float>{0, 1, 1}));
    // Whole bytes, as #rrggbb writes them back: 50% is 127.5, rounded to 128.
    EXPECT_EQ(colour(4),
              (std::vector<float>{1, static_cast<float>(128 / 255.0), static_cast<float>(20 / 255.0)}));
    ExpectNear(PairsOf(object.Meshes[0]), {{10, 10}, {20, 20}, {30, 10}});
}

TEST(ObjectSvg, PathDataInEverySpellingAndScaleAndCentre) {
    const std::string data = "<path d=\"M10-5L1.5.5l1e1,0E0 M 0 0 1 1 2 2 z l 3 0 Z m1,1 h1 M7,7\"/>\n"
                             "<polyline points=\" 1 , 2 3,4\n 5e0 6\"/>";
    const ObjectFile object = Read(Svg(data), {2, 1.5f, -3, std::nullopt});
    ASSERT_EQ(object.MeshCount, 5);
    ExpectNear(PairsOf(object.Meshes[0]), {{20, -10}, {3, 1}, {23, 1}});
    ExpectNear(PairsOf(object.Meshes[1]), {{0, 0}, {2, 2}, {4, 4}, {0, 0}});
    // After a close, a line starts where the closed subpath began; a relative move is from there too.
    ExpectNear(PairsOf(object.Meshes[2]), {{0, 0}, {6, 0}, {0, 0}});
    ExpectNear(PairsOf(object.Meshes[3]), {{2, 2}, {4, 2}});
    ExpectNear(PairsOf(object.Meshes[4]), {{2, 4}, {6, 8}, {10, 12}});
    EXPECT_EQ(object.CentreX, 1.5f);
    EXPECT_EQ(object.CentreY, -3);
}

TEST(ObjectSvg, CurvesAreRefusedWithTheElementAndLineUnlessFlattened) {
    const std::string curves = Svg(R"svg(<g>
        <path id="wing" d="M 0 0 C 0 40 100 40 100 0 S 200 -40 200 0 Q 250 50 300 0 T 400 0 A 50 25 30 1 1 500 0"/>
    </g>)svg");
    EXPECT_EQ(ErrorOf(curves),
              "line 3: path \"wing\": a curve (C): give --flatten TOLERANCE to turn curves into segments");
    EXPECT_NE(ErrorOf(Svg("<circle r=\"5\"/>")).find("line 2: circle: a circle: give --flatten"),
              std::string::npos);
    for (const double tolerance : {2.0, 0.1, 0.01}) {
        const ObjectFile object = Read(curves, {1, 0, 0, tolerance});
        ASSERT_EQ(object.MeshCount, 1);
        const Mesh& mesh = object.Meshes[0];
        EXPECT_EQ(PairsOf(mesh).front(), (std::pair<float, float>(0, 0)));
        EXPECT_EQ(PairsOf(mesh).back(), (std::pair<float, float>(500, 0)));
        // Every point of the true curves lies within the tolerance of the segments.
        for (double t = 0; t <= 1; t += 1.0 / 64) {
            EXPECT_LE(DistanceTo(mesh, CubicAt({0, 0}, {0, 40}, {100, 40}, {100, 0}, t)), tolerance * 1.001);
            EXPECT_LE(DistanceTo(mesh, CubicAt({100, 0}, {100, -40}, {200, -40}, {200, 0}, t)),
                      tolerance * 1.001);
            EXPECT_LE(DistanceTo(mesh, QuadraticAt({300, 0}, {350, -50}, {400, 0}, t)), tolerance * 1.001);
            const std::optional<ArcByCentre> arc = ArcCentre({400, 0}, 50, 25, 30, true, true, {500, 0});
            ASSERT_TRUE(arc);
            EXPECT_LE(DistanceTo(mesh, ArcAt(*arc, arc->Start + arc->Sweep * t)), tolerance * 1.001);
        }
    }
    // A circle of radius 10 through scale(3): within the tolerance in model units, closed on its first point.
    const ObjectFile circle =
        Read(Svg("<circle cx=\"5\" cy=\"5\" r=\"10\" transform=\"scale(3)\"/>"), {1, 0, 0, 0.05});
    const Mesh& ring = circle.Meshes[0];
    EXPECT_EQ(PairsOf(ring).front(), PairsOf(ring).back());
    for (double a = 0; a < 6.3; a += 0.01) {
        EXPECT_LE(DistanceTo(ring, {15 + 30 * std::cos(a), 15 + 30 * std::sin(a)}), 0.05 * 1.001);
    }
    EXPECT_NE(ErrorOf(curves, {1, 0, 0, 1e-9}).find("give a larger flattening tolerance"), std::string::npos);
}

TEST(ObjectSvg, ModelUnitsComeBackAsTheSamePoints) {
    std::mt19937 random(3);
    ObjectFile object;
    for (int m = 0; m < 3; ++m) {
        Mesh mesh{0.2f, 0.4f, 1, 0, 0, 500, {}, {}};
        while (mesh.X.size() < 500) {
            const float x = std::bit_cast<float>(static_cast<uint32_t>(random()));
            const float y = std::ldexp(static_cast<float>(random() % 2000000) - 1e6f,
                                       static_cast<int>(random() % 40) - 20);
            if (std::isfinite(x)) {
                mesh.X.push_back(x);
                mesh.Y.push_back(y);
            }
        }
        object.Meshes.push_back(mesh);
    }
    // The two floats whose shortest text, read as a double and rounded, is another float.
    object.Meshes[1].X[0] = std::bit_cast<float>(0x15AE43FDu);
    object.Meshes[1].Y[0] = std::bit_cast<float>(0x95AE43FDu);
    object.Meshes[1].X[1] = -0.0f;
    object.MeshCount = 3;
    const ModelSvg svg = ModelSvgText(object);
    ASSERT_EQ(svg.Error, "");
    const ObjectFile back = Read(svg.Text);
    ASSERT_EQ(back.MeshCount, 3);
    for (int m = 0; m < 3; ++m) {
        EXPECT_TRUE(SameBits(back.Meshes[m].X, object.Meshes[m].X));
        EXPECT_TRUE(SameBits(back.Meshes[m].Y, object.Meshes[m].Y));
        EXPECT_FLOAT_EQ(back.Meshes[m].Red, 51 / 255.0f);
    }
    object.Meshes[2].Y[7] = NAN;
    EXPECT_EQ(ModelSvgText(object).Error, "mesh 2, point 7 (x " + FloatText(object.Meshes[2].X[7]) +
                                              ", y nan) is not finite: an SVG document cannot hold it");
    EXPECT_EQ(ModelSvgText(object).Text, "");
}

TEST(ObjectSvg, DocumentsThatCannotBeTakenAreRefusedWithTheirLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"<svg xmlns=\"http://www.w3.org/2000/svg\"><path d=\"M0 0 L1 1\"></svg>", "line 1, column "},
        {"<html/>", "line 1: html: not an SVG document"},
        {Svg("<use href=\"#a\"/>"), "line 2: use: a use element is not followed"},
        {Svg("<svg><path d=\"M0 0 L1 1\"/></svg>"), "line 2: svg: a nested svg element"},
        {Svg("<line id=\"l\" x2=\"10mm\"/>"),
         "line 2: line \"l\": x2=\"10mm\": lengths are taken in user units"},
        {Svg("<g transform=\"spin(3)\"><path d=\"M0 0 L1 1\"/></g>"), "line 2: g: not a transform: spin(3)"},
        {Svg("<polyline points=\"0 0 1\"/>"), "points at character 6: an x without its y"},
        {Svg("<path d=\"M 0 0 L 1\"/>"), "path data at character 10: expected a number for L"},
        {Svg("<path d=\"0 0\"/>"), "expected a command letter"},
        {Svg("<path d=\"M 0 0 X 1 1\"/>"), "no command X"},
        {Svg("<path d=\"M 0 0 L 1e300 0\" transform=\"scale(1e10)\"/>"),
         "beyond the range of a 32-bit float"},
        {Svg("<text>hello</text><path d=\"M 0 0\"/>"), "no shape to convert"},
    };
    for (const auto& [document, message] : cases) {
        EXPECT_NE(ErrorOf(document).find(message), std::string::npos) << document << "\n"
                                                                      << ErrorOf(document);
    }
}

TEST(SvgTransform, ListsApplyFromTheRight) {
    const SvgAffine map =
        *ParseSvgTransform("translate(10 20) rotate(90, 1, 1),scale(2,3) skewX(45) matrix(1 0 0 1 5 0)")
             .Transform;
    // matrix moves (0, 1) to (5, 1); skewX(45) to (6, 1); scale to (12, 3); rotate about (1, 1) to (-1, 12).
    const SvgPoint p = map.Apply({0, 1});
    EXPECT_NEAR(p.X, 9, 1e-9);
    EXPECT_NEAR(p.Y, 32, 1e-9);
    EXPECT_NEAR((SvgAffine{2, 0, 0, 3, 0, 0}).Stretch(), 3, 1e-12);
    // Quarter turns are exact.
    const SvgPoint turned = ParseSvgTransform("rotate(-90)").Transform->Apply({40, 3});
    EXPECT_EQ(turned.X, 3);
    EXPECT_EQ(turned.Y, -40);
    EXPECT_EQ(ParseSvgTransform("rotate(450)").Transform->Apply({1, 0}).X, 0);
    EXPECT_FALSE(ParseSvgTransform("rotate(1, 2)").Transform);
    EXPECT_FALSE(ParseSvgTransform("scale(2").Transform);
}

} // namespace quillax
