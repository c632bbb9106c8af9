#include "sampleobjects/SampleObject.h"
#include "support/LinBuilder.h"
#include "support/QuillaxFixture.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <fstream>

namespace quillax {

namespace {
float Bits(uint32_t bits) {
    return std::bit_cast<float>(bits);
}

// `convert` as a pipeline uses it: files, standard input and output, and what goes wrong.
class CliConvert : public QuillaxFixture {
protected:
    std::string Write(const std::string& name, const std::string& content) {
        std::ofstream(Folder.Path(name), std::ios::binary) << content;
        return Folder.Path(name);
    }
    std::string Lin(const std::string& name, const LinObject& object) {
        WriteLinFile(Folder.Path(name), LinBytes(object));
        return Folder.Path(name);
    }
    // Runs convert and expects it to succeed quietly.
    std::string Converted(const std::vector<std::string>& arguments, const ProgramSetup& setup = {}) {
        std::vector<std::string> line{"convert"};
        line.insert(line.end(), arguments.begin(), arguments.end());
        const ProgramRun run = Quillax(line, setup);
        EXPECT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(run.Err, "");
        return run.Out;
    }
    void ExpectFailure(const std::vector<std::string>& arguments, int status, const std::string& message) {
        std::vector<std::string> line{"convert"};
        line.insert(line.end(), arguments.begin(), arguments.end());
        const ProgramRun run = Quillax(line);
        EXPECT_EQ(run.Status, status) << run.Err;
        EXPECT_NE(run.Err.find(message), std::string::npos) << run.Err;
        EXPECT_EQ(run.Out, "");
    }
};

LinObject OddObject() {
    LinObject object = SampleShip();
    object.CentreX = Bits(0xFFC00001);
    object.Meshes[1].Red = Bits(0x7FA00001);
    object.Meshes[2].Points[3] = {-0.0f, Bits(0x00000001)};
    object.Meshes[3].ExtraValue = 0xDEADBEEF;
    object.Meshes[4].ExtraWord = 0xCAFE;
    object.TrailingBytes = {0, 0xFF, 'q', 0x80};
    return object;
}
} // namespace

TEST_F(CliConvert, ALinGoesToJsonAndBackToTheSameBytesByNameAndThroughPipes) {
    const std::string lin = Lin("odd.lin", OddObject());
    const std::string bytes = *Contents(lin);
    Converted({lin, Folder.Path("odd.json")});
    Converted({Folder.Path("odd.json"), Folder.Path("back.lin")});
    EXPECT_EQ(Contents(Folder.Path("back.lin")), bytes);
    const std::string json = *Contents(Folder.Path("odd.json"));
    EXPECT_NE(json.find("\"0xFFC00001\""), std::string::npos);
    EXPECT_NE(json.find("\"trailingBytes\": \"AP9xgA==\""), std::string::npos);
    EXPECT_EQ(Converted({"-", "-", "--from", "lin", "--to=json"}, Piped(bytes)), json);
    EXPECT_EQ(Converted({"--to", "LIN", "-", "-", "--from", "json"}, Piped(json)), bytes);
    // info's element for the file is the same form, so it converts back too.
    const ProgramRun info = Quillax({"info", "--json", "--points", lin});
    ASSERT_EQ(info.Status, 0);
    const std::string element = info.Out.substr(2, info.Out.size() - 5);
    EXPECT_EQ(Converted({"-", "-", "--from", "json", "--to", "lin"}, Piped(element)), bytes);
}

TEST_F(CliConvert, AnSvgDrawnByHandBecomesMeshesAndTheModelSvgComesBackTheSame) {
    // clang-format off
    const std::string svg = Write("hand.svg", R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 100 100">
  <g transform="translate(50 50)" stroke="#ff8000">
    <polygon id="hull" points="0,-40 20,30 -20,30"/>
    <path d="M -30 0 h 60 m -30 -10 v 20" style="stroke:#00ffff"/>
    <path d="M 0 0 q 10 10 20 0" stroke="white"/>
  </g>
</svg>
)svg");
    // clang-format on
    ExpectFailure({svg, Folder.Path("hand.lin")}, 1,
                  "quillax convert: " + svg + ": line 5: path: a curve (q): give --flatten TOLERANCE");
    EXPECT_FALSE(Contents(Folder.Path("hand.lin")));
    Converted({svg, Folder.Path("hand.lin"), "--flatten", "0.5", "--scale", "2", "--centre", "100,100"});
    const ProgramRun check = Quillax({"check", Folder.Path("hand.lin")});
    EXPECT_NE(check.Out.find("ok, 4 meshes, 14 points, 10 lines"), std::string::npos) << check.Out;
    const std::string json = Converted({Folder.Path("hand.lin"), "-", "--to", "json"});
    EXPECT_NE(json.find("\"centre\": {\"x\": 100, \"y\": 100}"), std::string::npos) << json;
    EXPECT_NE(json.find("\"colour\": {\"red\": 1, \"green\": 0.5019608, \"blue\": 0}"), std::string::npos);
    EXPECT_NE(json.find("[100, 20],\n      [140, 160],\n      [60, 160],\n      [100, 20]\n"),
              std::string::npos);
    // The model SVG holds the points and colours as they are; only the centre stays behind.
    Converted({Folder.Path("hand.lin"), Folder.Path("model.svg")});
    Converted({Folder.Path("model.svg"), Folder.Path("again.lin"), "--centre", "100,100"});
    EXPECT_EQ(Contents(Folder.Path("again.lin")), Contents(Folder.Path("hand.lin")));
}

TEST_F(CliConvert, FailuresSayWhereAndLeaveTheOutputAsItWas) {
    const std::string out = Write("out.lin", "OLD");
    const std::string json = Write("bad.json", "{\"meshes\": [\n  {\"points\": [[0, 0], [1]]}]}");
    ExpectFailure({json, out}, 1,
                  "quillax convert: " + json +
                      ": line 2, column 25: meshes[0].points[1]: expected a comma between x and y\n");
    ExpectFailure({Folder.Path("none.json"), out}, 1, "none.json: no such file");
    ExpectFailure({Write("x.lin", "not an object"), out}, 1, "not an object file");
    LinObject nan = SampleShip();
    nan.Meshes[0].Points[2].first = NAN;
    ExpectFailure({Lin("nan.lin", nan), Folder.Path("nan.svg")}, 1,
                  "mesh 0, point 2 (x nan, y -15) is not finite: an SVG document cannot hold it");
    EXPECT_EQ(Contents(out), "OLD");
    EXPECT_FALSE(Contents(Folder.Path("nan.svg")));
    // A tail longer than the loader keeps would be lost on the way: refused instead.
    LinObject tailed = SampleShip();
    tailed.TrailingBytes.assign((1 << 20) + 1, 7);
    ExpectFailure({Lin("tailed.lin", tailed), Folder.Path("tailed.json")}, 1,
                  "1048577 bytes after the last mesh: more than the 1048576 that are kept");

    const std::string lin = Lin("ship.lin", SampleShip());
    ExpectFailure({"-", out}, 2,
                  "standard input: no extension of lin, json or svg to tell its format; give --from");
    ExpectFailure({lin, "-"}, 2, "standard output: no extension");
    ExpectFailure({lin, Folder.Path("out.txt")}, 2, "out.txt: no extension of lin, json or svg");
    ExpectFailure({lin, out, "--to", "json"}, 2, "out.lin: the name says lin, --to json");
    ExpectFailure({lin, out, "--from", "xml"}, 2, "--from xml: not lin, json or svg");
    ExpectFailure({lin, out, "--flatten", "1"}, 2, "--flatten is for an SVG input only");
    const std::string svg = Write("a.svg", "<svg/>");
    ExpectFailure({svg, out, "--flatten", "0"}, 2, "--flatten 0: not a distance above 0");
    ExpectFailure({svg, out, "--scale", "nan"}, 2, "--scale nan: not a number");
    ExpectFailure({svg, out, "--centre", "1;2"}, 2, "--centre 1;2: not X,Y");
    ExpectFailure({svg, out}, 1, "no shape to convert");
    EXPECT_EQ(Contents(out), "OLD");
}

} // namespace quillax
