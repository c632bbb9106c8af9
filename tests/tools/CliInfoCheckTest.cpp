#include "quillax/CliCheck.h"
#include "quillax/CliInfo.h"
#include "sampleobjects/SampleObject.h"
#include "support/CliRun.h"
#include "support/LinBuilder.h"
#include "support/TempFolder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace quillax {

namespace {
class CliTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, std::vector<unsigned char> bytes) {
        WriteLinFile(Folder.Path(name), bytes);
        return Folder.Path(name);
    }
    TempFolder Folder;
};
} // namespace

TEST_F(CliTest, CheckReportsEachFileAndExitsByTheWorst) {
    const std::string good = Write("good.lin", LinBytes(SampleShip()));
    auto bytes = LinBytes(SampleShip());
    bytes.resize(40);
    const std::string truncated = Write("truncated.lin", bytes);
    const std::string foreign = Write("foreign.lin", {'B', 'M', 1, 2, 3});

    const CliRun allGood = RunCli(CliCheck, {good});
    EXPECT_EQ(allGood.Status, 0);
    EXPECT_EQ(allGood.Out, good + ": ok, 5 meshes, 38 points, 33 lines\n");

    const CliRun mixed = RunCli(CliCheck, {good, truncated, foreign, Folder.Path("missing.lin")});
    EXPECT_EQ(mixed.Status, 1);
    EXPECT_EQ(mixed.Out, good + ": ok, 5 meshes, 38 points, 33 lines\n") << "failures go to standard error";
    EXPECT_NE(mixed.Err.find(truncated +
                             ": error 62: Input past end of file: the file ends while reading the "
                             "points of mesh 0 at byte offset 34"),
              std::string::npos)
        << mixed.Err;
    EXPECT_NE(mixed.Err.find(foreign + ": not an object file"), std::string::npos);
    EXPECT_NE(mixed.Err.find("missing.lin: no such file"), std::string::npos);

    EXPECT_EQ(RunCli(CliCheck, {}).Status, 2);
    EXPECT_EQ(RunCli(CliCheck, {"--frobnicate", good}).Status, 2);
    const CliRun help = RunCli(CliCheck, {"--help"});
    EXPECT_EQ(help.Status, 0);
    EXPECT_NE(help.Out.find("usage: quillax check"), std::string::npos);
}

TEST_F(CliTest, InfoJsonParsesBackToTheObject) {
    LinObject object = SampleShip();
    object.CentreX = 2.5f;
    object.Meshes[1].ExtraValue = 0xDEADBEEF;
    object.Meshes[1].ExtraWord = 0x00AB;
    object.Meshes[2].Points[0].first = std::numeric_limits<float>::quiet_NaN();
    const std::string file = Write("ship.lin", LinBytes(object));

    const CliRun run = RunCli(CliInfo, {file, "--json"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    QJsonParseError error;
    const QJsonArray files = QJsonDocument::fromJson(QByteArray::fromStdString(run.Out), &error).array();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << run.Out;
    ASSERT_EQ(files.size(), 1);
    const QJsonObject json = files[0].toObject();
    EXPECT_EQ(json["centre"]["x"].toDouble(), 2.5);
    EXPECT_EQ(json["meshCount"].toInt(), 5);
    const QJsonArray meshes = json["meshes"].toArray();
    ASSERT_EQ(meshes.size(), 5);
    EXPECT_EQ(meshes[0]["pointCount"].toInt(), 15);
    EXPECT_EQ(meshes[0]["bounds"]["minY"].toDouble(), -40);
    EXPECT_EQ(static_cast<float>(meshes[0]["colour"]["red"].toDouble()), 0.35f);
    EXPECT_EQ(meshes[1]["extraValue"].toString(), "0xDEADBEEF");
    EXPECT_EQ(meshes[1]["extraWord"].toString(), "0x00AB");
    // A NaN point is left out of the bounds rather than poisoning them.
    EXPECT_EQ(meshes[2]["bounds"]["minX"].toDouble(), -4);
}

TEST_F(CliTest, InfoTextAndErrors) {
    const std::string file = Write("ship.lin", LinBytes(SampleShip()));
    const CliRun run = RunCli(CliInfo, {file});
    EXPECT_EQ(run.Status, 0);
    EXPECT_NE(run.Out.find("Meshes: 5\n"), std::string::npos);
    EXPECT_NE(run.Out.find(
                  "Mesh 1: colour 1, 0.55, 0.1; 8 points; x -38 to 38, y 2 to 24; extra 0x00000000 0x0000"),
              std::string::npos)
        << run.Out;

    const CliRun missing = RunCli(CliInfo, {Folder.Path("missing.lin")});
    EXPECT_EQ(missing.Status, 1);
    EXPECT_NE(missing.Err.find("missing.lin: no such file"), std::string::npos);
    EXPECT_EQ(RunCli(CliInfo, {}).Status, 2);
    EXPECT_EQ(RunCli(CliInfo, {file, "--xml"}).Status, 2);
}

// A name may hold anything but a slash and a zero byte: a human reader sees it escaped on one line,
// so a newline can never forge an "ok" line; JSON keeps it exact.
TEST_F(CliTest, NamesAreEscapedForPeopleAndExactInJson) {
    const std::string forged = Write("x.lin: ok, 5 meshes\n\x1b[2Jevil\\.lin", {'B', 'M'});
    const std::string shown = Folder.Path("x.lin: ok, 5 meshes\\n\\x1b[2Jevil\\\\.lin");
    const CliRun check = RunCli(CliCheck, {forged});
    EXPECT_EQ(check.Status, 1);
    EXPECT_EQ(check.Err,
              "quillax check: " + shown +
                  ": not an object file (it does not start with the object file magic DE 7A 3A 00)\n");

    const std::string good = Write("tab\there\xc2\x85\xff.lin", LinBytes(SampleShip()));
    const CliRun info = RunCli(CliInfo, {good});
    EXPECT_NE(info.Out.find("File: " + Folder.Path("tab\\there\\xc2\\x85\\xff.lin") + "\n"),
              std::string::npos)
        << info.Out;
    const CliRun json = RunCli(CliInfo, {forged, "--json"});
    EXPECT_EQ(json.Status, 1);
    EXPECT_EQ(json.Err,
              "quillax info: " + shown +
                  ": not an object file (it does not start with the object file magic DE 7A 3A 00)\n");
    EXPECT_EQ(json.Out, "[\n]\n");
    const std::string plain = Write("new\nline.lin", LinBytes(SampleShip()));
    const QJsonArray document =
        QJsonDocument::fromJson(QByteArray::fromStdString(RunCli(CliInfo, {plain, "--json"}).Out)).array();
    EXPECT_EQ(document[0]["file"].toString().toStdString(), plain);
}

} // namespace quillax
