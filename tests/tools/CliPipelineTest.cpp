#include "app/frmMain.h"
#include "browse/ListBox.h"
#include "drawingarea/DrawingArea.h"
#include "quillax/CliConvert.h"
#include "support/CliRun.h"
#include "support/EditorFixture.h"

#include <QTest>

#include <fstream>

namespace quillax {

namespace {
std::vector<std::string> Lines(const std::string& path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

class CliPipeline : public EditorFixture {};
} // namespace

// A shape drawn by hand in an SVG, converted, opened in the editor, edited and saved, then converted
// to JSON: the diff with the JSON from before the edit is the moved point and the box it widened.
TEST_F(CliPipeline, AnSvgDrawnByHandIsEditedAndTheJsonDiffShowsTheEdit) {
    const std::string svg = Folder.Path("star.svg");
    std::ofstream(svg) << R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="-50 -50 100 100">
  <g transform="rotate(-90)">
    <polygon id="star" points="40,0 12,9 12,37 -7,11 -32,23 -15,0 -32,-23 -7,-11 12,-37 12,-9"
             style="stroke:#ffd700;fill:none"/>
  </g>
  <path id="tail" d="M -20 30 l 10 10 h 20 l 10 -10" stroke="rgb(255, 64, 64)"/>
</svg>)svg";
    const std::string lin = Folder.Path("star.lin");
    ASSERT_EQ(RunCli(CliConvert, {svg, lin}).Status, 0);
    ASSERT_EQ(RunCli(CliConvert, {lin, Folder.Path("before.json")}).Status, 0);

    Window->LoadObject(lin);
    ASSERT_EQ(Window->LstMeshes->ListCount(), 2);
    // Point 2 of the star is (37, -12): 4 pixels a unit from the middle of the area, (289, 260).
    QTest::mouseClick(Window->picMain, Qt::LeftButton, {}, QPoint(289 + 37 * 4, 260 - 12 * 4));
    for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Down}) {
        QTest::keyClick(Window->picMain, key);
    }
    Action("mnuSave")->trigger();
    EXPECT_FALSE(Window->isWindowModified());
    EXPECT_TRUE(Boxes.Records.empty());

    ASSERT_EQ(RunCli(CliConvert, {lin, Folder.Path("after.json")}).Status, 0);
    const std::vector<std::string> before = Lines(Folder.Path("before.json"));
    const std::vector<std::string> after = Lines(Folder.Path("after.json"));
    ASSERT_EQ(before.size(), after.size());
    std::vector<std::pair<std::string, std::string>> changed;
    for (size_t k = 0; k < before.size(); ++k) {
        if (before[k] != after[k]) {
            changed.emplace_back(before[k], after[k]);
        }
    }
    ASSERT_EQ(changed.size(), 2u);
    EXPECT_NE(changed[0].first.find("\"maxX\": 37,"), std::string::npos) << changed[0].first;
    EXPECT_NE(changed[0].second.find("\"maxX\": 40,"), std::string::npos) << changed[0].second;
    EXPECT_EQ(changed[1], (std::pair<std::string, std::string>("      [37, -12],", "      [40, -11],")));
}

} // namespace quillax
