#include "sampleobjects/SampleObject.h"
#include "support/BmpBuilder.h"
#include "support/LinBuilder.h"
#include "support/QuillaxFixture.h"

#include <QByteArray>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <limits>
#include <optional>

namespace quillax {

namespace {
QJsonArray JsonArray(const std::string& text) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString() << "\n" << text;
    EXPECT_TRUE(document.isArray()) << text;
    return document.array();
}

std::string Text(const QJsonValue& value) {
    return value.toString().toStdString();
}

// One mesh of two points: the smallest valid object.
LinObject TwoPoints() {
    LinObject object;
    object.Meshes.push_back(LinMesh{1, 1, 1, 0, 0, {{0, 0}, {1, 1}}, -1});
    return object;
}

// The real `quillax`, as a pipeline runs it.
class CliCommandLine : public QuillaxFixture {
protected:
    std::string Object(const std::string& name, const LinObject& object) {
        WriteLinFile(Folder.Path(name), LinBytes(object));
        return Folder.Path(name);
    }
    std::string Ship() { return Object("ship.lin", SampleShip()); }
    std::string Bitmap() {
        BmpBuilder bitmap(5, 3, 8);
        bitmap.Set(1, 1, 200);
        const std::string path = Folder.Path("in.bmp");
        std::ofstream(path, std::ios::binary) << bitmap.Bytes().toStdString();
        return path;
    }
};

// A usage error: status 2, the reason and the usage line on standard error, nothing on standard output.
void ExpectUsageError(const ProgramRun& run, const std::string& reason) {
    EXPECT_EQ(run.Status, 2) << run.Err;
    EXPECT_NE(run.Err.find(reason), std::string::npos) << run.Err;
    EXPECT_NE(run.Err.find("usage: quillax"), std::string::npos) << run.Err;
    EXPECT_EQ(run.Out, "");
}
} // namespace

TEST_F(CliCommandLine, VersionAndHelpAnswerInEveryForm) {
    for (const std::vector<std::string>& asked :
         std::vector<std::vector<std::string>>{{"--version"}, {"version"}}) {
        const ProgramRun version = Quillax(asked);
        EXPECT_EQ(version.Status, 0);
        EXPECT_EQ(version.Out, std::string("quillax ") + QUILLAX_VERSION + "\n");
        EXPECT_EQ(version.Err, "");
    }
    const std::string help = Quillax({"help"}).Out;
    for (const char* command : {"info FILE...", "check FILE...", "render FILE OUTPUT", "svg FILE OUTPUT",
                                "bmp24 INPUT OUTPUT", "help [COMMAND]", "version"}) {
        EXPECT_NE(help.find(command), std::string::npos) << command;
    }
    EXPECT_EQ(Quillax({"--help"}).Out, help);
    EXPECT_EQ(Quillax({"-h"}).Out, help);
    for (const char* command : {"info", "check", "render", "svg", "bmp24"}) {
        const ProgramRun asked = Quillax({"help", command});
        EXPECT_EQ(asked.Status, 0);
        EXPECT_TRUE(asked.Out.starts_with(std::string("usage: quillax ") + command + " [OPTIONS]"))
            << asked.Out;
        EXPECT_EQ(Quillax({command, "--help"}).Out, asked.Out);
        EXPECT_EQ(Quillax({command, "-h", "any.lin"}).Out, asked.Out);
    }
    EXPECT_NE(Quillax({"help", "render"}).Out.find("--spacing S"), std::string::npos);

    ExpectUsageError(Quillax({}), "quillax: missing COMMAND");
    ExpectUsageError(Quillax({"frobnicate"}), "quillax: unknown command frobnicate");
    ExpectUsageError(Quillax({"help", "frobnicate"}), "quillax help: unknown command frobnicate");
    ExpectUsageError(Quillax({"version", "extra"}), "quillax version: unexpected operand extra");
}

TEST_F(CliCommandLine, UnknownOptionsAreNamedAndMissingOperandsListed) {
    const std::string ship = Ship();
    ExpectUsageError(Quillax({"--frobnicate", "check", ship}), "quillax: unknown option --frobnicate");
    ExpectUsageError(Quillax({"check", ship, "--frobnicate=3"}),
                     "quillax check: unknown option --frobnicate\n");
    ExpectUsageError(Quillax({"info", "-x", ship}), "quillax info: unknown option -x\n");
    ExpectUsageError(Quillax({"render", ship, "o.bmp", "--spacing"}), "missing value after '--spacing'");
    ExpectUsageError(Quillax({"svg", ship, "o.svg", "--no-grid=yes"}), "unexpected value after '--no-grid'");
    ExpectUsageError(Quillax({"bmp24", ship, "o.bmp", "--json"}), "quillax bmp24: unknown option --json");
    ExpectUsageError(Quillax({"render", ship}), "quillax render: missing OUTPUT");
    ExpectUsageError(Quillax({"bmp24"}), "quillax bmp24: missing INPUT and OUTPUT");
    ExpectUsageError(Quillax({"check"}), "quillax check: missing FILE\n");
    ExpectUsageError(Quillax({"svg", ship, "a.svg", "b.svg"}), "quillax svg: unexpected operand b.svg");
    // A name is shown escaped even where it is not a file.
    ExpectUsageError(Quillax({"check", "--\x1b[2J"}), "unknown option --\\x1b[2J");
}

TEST_F(CliCommandLine, ValuesFollowASpaceOrAnEqualsSignAndDoubleDashEndsTheOptions) {
    const std::string ship = Ship();
    ASSERT_EQ(Quillax({"render", "--size=40x30", ship, Folder.Path("equals.png")}).Status, 0);
    ASSERT_EQ(Quillax({"render", ship, "--size", "40x30", Folder.Path("space.png"), "--no-grid"}).Status, 0);
    ASSERT_EQ(Quillax({"render", ship, Folder.Path("plain.png"), "--no-grid", "--size=40x30"}).Status, 0);
    const QImage equals(QString::fromStdString(Folder.Path("equals.png")));
    EXPECT_EQ(equals.size(), QSize(40, 30));
    EXPECT_TRUE(QImage(QString::fromStdString(Folder.Path("space.png"))) ==
                QImage(QString::fromStdString(Folder.Path("plain.png"))));
    EXPECT_FALSE(equals == QImage(QString::fromStdString(Folder.Path("plain.png")))) << "the grid is drawn";

    // After "--" even a name that looks like an option is a file.
    const ProgramRun check = Quillax({"check", ship, "--", "--quiet", "-"});
    EXPECT_EQ(check.Status, 1);
    EXPECT_EQ(check.Out, ship + ": ok, 5 meshes, 38 points, 33 lines\n");
    EXPECT_TRUE(check.Err.starts_with("quillax check: --quiet: no such file\n")) << check.Err;
}

TEST_F(CliCommandLine, DashReadsStandardInputForEveryCommand) {
    const std::string ship = Ship();
    const std::string bytes = Contents(ship).value();
    for (const bool regular : {false, true}) {
        SCOPED_TRACE(regular ? "a regular file" : "a pipe");
        ProgramSetup setup = Piped(bytes);
        setup.InputIsFile = regular;
        const ProgramRun check = Quillax({"check", "-", ship}, setup);
        EXPECT_EQ(check.Status, 0) << check.Err;
        EXPECT_EQ(check.Out, "standard input: ok, 5 meshes, 38 points, 33 lines\n" + ship +
                                 ": ok, 5 meshes, 38 points, 33 lines\n");
        const ProgramRun info = Quillax({"info", "-"}, setup);
        EXPECT_EQ(info.Out, Quillax({"info", ship}).Out.replace(6, ship.size(), "standard input"));
        for (const char* command : {"render", "svg"}) {
            const std::string fromFile =
                Folder.Path(std::string("file.") + (command[0] == 'r' ? "png" : "svg"));
            const std::string fromInput =
                Folder.Path(std::string("input.") + (command[0] == 'r' ? "png" : "svg"));
            ASSERT_EQ(Quillax({command, ship, fromFile, "--mesh", "2"}).Status, 0);
            const ProgramRun run = Quillax({command, "-", fromInput, "--mesh", "2"}, setup);
            EXPECT_EQ(run.Status, 0) << run.Err;
            EXPECT_TRUE(Contents(fromFile) == Contents(fromInput)) << command;
        }
    }
    const std::string bitmap = Bitmap();
    ASSERT_EQ(Quillax({"bmp24", bitmap, Folder.Path("file.bmp")}).Status, 0);
    EXPECT_EQ(Quillax({"bmp24", "-", Folder.Path("input.bmp")}, Piped(Contents(bitmap).value())).Status, 0);
    EXPECT_TRUE(Contents(Folder.Path("file.bmp")) == Contents(Folder.Path("input.bmp")));

    const ProgramRun broken = Quillax({"check", "-"}, Piped(bytes.substr(0, 40)));
    EXPECT_EQ(broken.Status, 1);
    EXPECT_TRUE(broken.Err.starts_with("quillax check: standard input: error 62: Input past end of file"))
        << broken.Err;
    const ProgramRun foreign = Quillax({"info", "-"}, Piped("BM not an object"));
    EXPECT_EQ(foreign.Err, "quillax info: standard input: not an object file (it does not start with the "
                           "object file magic DE 7A 3A 00)\n");
    const ProgramRun text = Quillax({"bmp24", "-", Folder.Path("out.bmp")}, Piped("hello"));
    EXPECT_EQ(text.Err, "quillax bmp24: standard input: not a bitmap file (it does not start with BM)\n");
    ProgramSetup noRoom = Piped(bytes);
    noRoom.FileSizeLimit = 100;
    const ProgramRun held = Quillax({"svg", "-", Folder.Path("out.svg")}, noRoom);
    EXPECT_EQ(held.Status, 1);
    EXPECT_EQ(held.Err, "quillax svg: standard input: cannot hold it: File too large\n");
    EXPECT_FALSE(Contents(Folder.Path("out.svg")));
}

TEST_F(CliCommandLine, DashWritesStandardOutputInTheFormatAsked) {
    const std::string ship = Ship();
    const std::string bitmap = Bitmap();
    struct Case {
        std::vector<std::string> ToFile;
        std::vector<std::string> ToOutput;
        const char* Start;
    };
    const std::vector<Case> cases = {
        {{"render", ship, Folder.Path("out.png")}, {"render", ship, "-", "--format", "png"}, "\x89PNG"},
        {{"render", ship, Folder.Path("out.bmp")}, {"render", ship, "-", "--format=BMP"}, "BM"},
        {{"render", ship, Folder.Path("plain.bmp")}, {"render", ship, "-"}, "BM"},
        {{"svg", ship, Folder.Path("out.svg")}, {"svg", "--format", "svg", ship, "-"}, "<?xml"},
        {{"bmp24", bitmap, Folder.Path("out24.bmp")}, {"bmp24", bitmap, "-"}, "BM"}};
    for (const Case& test : cases) {
        SCOPED_TRACE(test.ToOutput[0] + " " + test.Start);
        ASSERT_EQ(Quillax(test.ToFile).Status, 0);
        const ProgramRun run = Quillax(test.ToOutput);
        EXPECT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(run.Err, "");
        EXPECT_TRUE(run.Out.starts_with(test.Start));
        EXPECT_TRUE(Contents(test.ToFile.back()) == run.Out) << "the same bytes as the file";
    }
    const ProgramRun both = Quillax({"render", "-", "-", "--format", "png"}, Piped(Contents(ship).value()));
    EXPECT_EQ(QImage::fromData(QByteArray::fromStdString(both.Out), "png").size(), QSize(578, 520));
}

TEST_F(CliCommandLine, AnOutputNameTheCommandCannotWriteIsAUsageError) {
    const std::string ship = Ship();
    const std::string bitmap = Bitmap();
    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{"render", ship, Folder.Path("out.jpg")},
         "out.jpg: cannot write a .jpg file (render writes bmp or png)"},
        {{"render", ship, Folder.Path("out.svg")}, "out.svg: cannot write a .svg file"},
        {{"render", ship, Folder.Path("out.jpg"), "--format", "png"}, "cannot write a .jpg file"},
        {{"svg", ship, Folder.Path("out.png")}, "out.png: cannot write a .png file (svg writes svg)"},
        {{"bmp24", bitmap, Folder.Path("out.png")}, "cannot write a .png file (bmp24 writes bmp)"},
        {{"render", ship, "-", "--format", "gif"}, "--format gif: render writes bmp or png only"},
        {{"render", ship, Folder.Path("out.bmp"), "--format", "png"},
         "the name asks for bmp, --format for png"}};
    for (const auto& [arguments, reason] : refused) {
        SCOPED_TRACE(arguments.back());
        ExpectUsageError(Quillax(arguments), reason);
    }
    for (const char* name : {"out.jpg", "out.svg", "out.png", "out.bmp"}) {
        EXPECT_FALSE(Contents(Folder.Path(name))) << name << " is never written";
    }
    ASSERT_EQ(Quillax({"render", ship, Folder.Path("OUT.PNG")}).Status, 0);
    ASSERT_EQ(Quillax({"render", ship, Folder.Path("no-extension"), "--format", "png"}).Status, 0);
    EXPECT_TRUE(Contents(Folder.Path("OUT.PNG")).value().starts_with("\x89PNG"));
    EXPECT_TRUE(Contents(Folder.Path("no-extension")) == Contents(Folder.Path("OUT.PNG")));
}

TEST_F(CliCommandLine, CheckSendsOkToStandardOutputFailuresToStandardErrorAndWarnsOfNonFiniteValues) {
    const std::string ship = Ship();
    LinObject odd = SampleShip();
    odd.Meshes[2].Points[3].first = std::numeric_limits<float>::quiet_NaN();
    odd.Meshes[2].Points[5].second = std::numeric_limits<float>::infinity();
    odd.Meshes[4].Green = -std::numeric_limits<float>::infinity();
    const std::string warned = Object("odd.lin", odd);
    const std::string small = Object("small.lin", TwoPoints());
    const std::string missing = Folder.Path("missing.lin");

    const ProgramRun plain = Quillax({"check", ship, warned, small, missing});
    EXPECT_EQ(plain.Status, 1);
    EXPECT_EQ(plain.Out,
              ship + ": ok, 5 meshes, 38 points, 33 lines\n" + warned +
                  ": ok, 5 meshes, 38 points, 33 lines; warning: mesh 2: 2 points are not finite, the "
                  "first point 3 (x nan, y -4); warning: mesh 4: the colour is not finite (red 0.6, "
                  "green -inf, blue 0.8)\n" +
                  small + ": ok, 1 mesh, 2 points, 1 line\n");
    EXPECT_EQ(plain.Err, "quillax check: " + missing + ": no such file\n");

    const ProgramRun strict = Quillax({"check", "--strict", ship, warned});
    EXPECT_EQ(strict.Status, 1);
    EXPECT_EQ(strict.Out, ship + ": ok, 5 meshes, 38 points, 33 lines\n");
    EXPECT_TRUE(strict.Err.starts_with("quillax check: " + warned + ": failed with --strict, 5 meshes"))
        << strict.Err;
    EXPECT_EQ(Quillax({"check", ship, warned}).Status, 0);

    for (const char* quiet : {"--quiet", "-q"}) {
        const ProgramRun failing = Quillax({"check", quiet, ship, missing});
        EXPECT_EQ(failing.Status, 1);
        EXPECT_EQ(failing.Out + failing.Err, "");
        EXPECT_EQ(Quillax({"check", ship, quiet, "--json"}).Out, "") << "quiet means quiet";
        EXPECT_EQ(Quillax({"check", quiet, warned, "--strict"}).Status, 1);
    }

    const ProgramRun json = Quillax({"check", "--json", ship, warned, missing, "--strict"});
    EXPECT_EQ(json.Status, 1);
    EXPECT_EQ(json.Err, "");
    const QJsonArray files = JsonArray(json.Out);
    ASSERT_EQ(files.size(), 3);
    EXPECT_EQ(Text(files[0]["file"]), ship);
    EXPECT_TRUE(files[0]["ok"].toBool());
    EXPECT_EQ(files[0]["meshes"].toInt(), 5);
    EXPECT_EQ(files[0]["points"].toInt(), 38);
    EXPECT_EQ(files[0]["lines"].toInt(), 33);
    EXPECT_TRUE(files[0]["warnings"].toArray().isEmpty());
    EXPECT_FALSE(files[1]["ok"].toBool()) << "--strict";
    EXPECT_EQ(files[1]["warnings"].toArray().size(), 2);
    EXPECT_EQ(Text(files[2]["file"]), missing);
    EXPECT_FALSE(files[2]["ok"].toBool());
    EXPECT_EQ(Text(files[2]["error"]), "no such file");
    EXPECT_TRUE(JsonArray(Quillax({"check", "--json", warned}).Out).at(0)["ok"].toBool());
}

TEST_F(CliCommandLine, InfoTakesSeveralFilesAndItsJsonKeepsEveryNumberAndName) {
    const std::string ship = Ship();
    LinObject odd = SampleShip();
    odd.CentreX = std::numeric_limits<float>::infinity();
    odd.Meshes[1].Red = std::numeric_limits<float>::quiet_NaN();
    odd.Meshes[3].Points[0] = {-std::numeric_limits<float>::infinity(), 2.5f};
    const std::string name = "odd\n\"name\"\xff.lin";
    const std::string oddFile = Object(name, odd);

    const ProgramRun text = Quillax({"info", ship, oddFile, Folder.Path("missing.lin"), "--points"});
    EXPECT_EQ(text.Status, 1);
    EXPECT_NE(text.Out.find("File: " + ship + "\n"), std::string::npos);
    EXPECT_NE(text.Out.find("\n\nFile: " + Folder.Path("odd\\n\"name\"\\xff.lin") + "\nCentre: inf, 0\n"),
              std::string::npos)
        << text.Out;
    EXPECT_NE(text.Out.find("Mesh 3: colour 1, 0.25, 0.15; 5 points; x -3 to 5, y 30 to 38; extra "
                            "0x00000000 0x0000\n  point 0: -inf, 2.5\n  point 1: -3, 38\n"),
              std::string::npos)
        << text.Out;
    EXPECT_EQ(text.Err, "quillax info: " + Folder.Path("missing.lin") + ": no such file\n");

    const ProgramRun json = Quillax({"info", "--json", "--points", ship, oddFile});
    ASSERT_EQ(json.Status, 0) << json.Err;
    const QJsonArray files = JsonArray(json.Out);
    ASSERT_EQ(files.size(), 2);
    EXPECT_EQ(files[0]["meshes"][0]["points"].toArray().size(), 15);
    EXPECT_EQ(files[0]["meshes"][0]["points"][1][0].toDouble(), 6);
    EXPECT_EQ(files[0]["meshes"][0]["points"][1][1].toDouble(), -30);
    const QJsonObject object = files[1].toObject();
    EXPECT_EQ(Text(object["centre"]["x"]), "Infinity");
    EXPECT_EQ(Text(object["meshes"][1]["colour"]["red"]), "NaN");
    EXPECT_EQ(Text(object["meshes"][3]["points"][0][0]), "-Infinity");
    EXPECT_EQ(object["meshes"][3]["bounds"]["minX"].toDouble(), -3) << "bounds of the finite points";
    // The name's bytes exactly: the one that is not UTF-8 as a lone surrogate escape.
    EXPECT_EQ(object["file"].toString(),
              QString::fromStdString(Folder.Path("odd\n\"name\"")) + QChar(0xDCFF) + QString(".lin"));
    EXPECT_FALSE(
        JsonArray(Quillax({"info", "--json", ship}).Out).at(0)["meshes"][0].toObject().contains("points"));
}

TEST_F(CliCommandLine, MessagesGiveTheReasonAndTheValidRange) {
    const std::string ship = Ship();
    const std::string one = Object("one.lin", TwoPoints());
    const std::string out = Folder.Path("out.png");
    const std::vector<std::pair<std::vector<std::string>, std::string>> failures = {
        {{"render", ship, out, "--mesh", "9"},
         "quillax render: " + ship + ": mesh 9: the object has meshes 0 to 4\n"},
        {{"render", one, out, "--mesh", "1"},
         "quillax render: " + one + ": mesh 1: the object has only mesh 0\n"},
        {{"render", one, out, "--mark-line", "1"},
         "quillax render: " + one + ": line 1: mesh 0 has only line 0\n"},
        {{"render", ship, Folder.Path("no/such/o.png")},
         "quillax render: cannot write " + Folder.Path("no/such/o.png") + ": No such file or directory\n"}};
    for (const auto& [arguments, message] : failures) {
        const ProgramRun run = Quillax(arguments);
        EXPECT_EQ(run.Status, 1);
        EXPECT_EQ(run.Err, message);
    }
    const std::vector<std::pair<std::vector<std::string>, std::string>> usage = {
        {{"--spacing", "0"}, "--spacing 0: not a whole number from 1 to 32767"},
        {{"--zoom-steps", "10001"}, "--zoom-steps 10001: not a whole number from -10000 to 10000"},
        {{"--mesh", "-1"}, "--mesh -1: not a whole number of 0 or more"},
        {{"--size", "0x5"}, "--size 0x5: not WIDTHxHEIGHT, each from 1 to 32767"},
        {{"--size=640"}, "--size 640: not WIDTHxHEIGHT"}};
    for (const auto& [options, reason] : usage) {
        std::vector<std::string> arguments = {"render", ship, out};
        arguments.insert(arguments.end(), options.begin(), options.end());
        ExpectUsageError(Quillax(arguments), "quillax render: " + reason);
    }
    EXPECT_FALSE(Contents(out));
}

} // namespace quillax
