#include "randomwalk/RandomWalkObject.h"
#include "sampleobjects/SampleObject.h"
#include "support/LinBuilder.h"
#include "support/QuillaxFixture.h"

#include <gtest/gtest.h>

namespace quillax {

namespace {
size_t Count(const std::string& text, const std::string& what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

class CliSvgView : public QuillaxFixture {};
} // namespace

// The document is made from the scene's pools and the grid's layout: an area of 32767 x 32767 pixels,
// whose picture alone would take 4 GB, is written at once within a fraction of that, grid and all.
TEST_F(CliSvgView, TheLargestAreaNeedsNoPictureOfIt) {
    WriteLinFile(Folder.Path("ship.lin"), LinBytes(SampleShip()));
    ProgramSetup setup;
    setup.AddressSpaceLimit = MeasuresMemory ? rlim_t{1} << 30 : RLIM_INFINITY;
    const ProgramRun run =
        Quillax({"svg", Folder.Path("ship.lin"), Folder.Path("huge.svg"), "--size", "32767x32767"}, setup);
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Err, "");
    const std::string document = Contents(Folder.Path("huge.svg")).value();
    // Cells of 20 pixels: a line at every 20th pixel across and down, 1,639 each way to the far edges.
    EXPECT_EQ(Count(document, "<line "), 2 * 1639u);
    EXPECT_TRUE(!MeasuresMemory || run.PeakKilobytes < 200 * 1024) << run.PeakKilobytes << " KB";
}

// What lies wholly outside the area is left out: a million points at the start view, of which about
// 400,000 markers and segments are in the area, make a document of a few megabytes.
TEST_F(CliSvgView, OnlyWhatTheViewShowsIsWritten) {
    RandomWalkOptions walk;
    walk.MeshSizes.assign(30, 32767);
    walk.MeshSizes.push_back(16990);
    WriteRandomWalkFile(Folder.Path("million.lin"), RandomWalkObject(walk));
    const ProgramRun run = Quillax({"svg", Folder.Path("million.lin"), Folder.Path("million.svg")});
    ASSERT_EQ(run.Status, 0) << run.Err;
    const std::string document = Contents(Folder.Path("million.svg")).value();
    EXPECT_LT(document.size(), 20u << 20);
    EXPECT_TRUE(document.ends_with("</svg>\n"));
    const ProgramRun zoomedOut =
        Quillax({"svg", Folder.Path("million.lin"), Folder.Path("all.svg"), "--fit", "--no-grid"});
    ASSERT_EQ(zoomedOut.Status, 0) << zoomedOut.Err;
    // Fitted, every marker is in the area: one dot a point.
    EXPECT_EQ(Count(Contents(Folder.Path("all.svg")).value(), "h0"), 1000000u);
}

} // namespace quillax
