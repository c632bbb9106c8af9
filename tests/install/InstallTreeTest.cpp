#include "support/TempFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace quillax {

namespace {
const QString Editor = "bin/quillax-editor";
const QString Cli = "bin/quillax";
const QString DrawingModule = QUILLAX_DRAWING_MODULE;
const QString DesktopEntry = "share/applications/quillax-editor.desktop";
const QString MimePackage = "share/mime/packages/quillax.xml";
const QString Icon = "share/icons/hicolor/scalable/apps/quillax-editor.svg";
const QStringList ManPages = {"share/man/man1/quillax.1", "share/man/man1/quillax-editor.1"};
const QString ObjectType = "application/x-quillax-object";
const QString MimeNamespace = "http://www.freedesktop.org/standards/shared-mime-info";

struct Ran {
    int Status;
    QString Output;
};

// Standard output and error together: a clean run of a checker prints nothing at all.
Ran RunProgram(const QString& program, const QStringList& arguments,
               const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        return {-1, program + " did not finish: " + process.errorString()};
    }
    return {process.exitCode(), QString::fromUtf8(process.readAll())};
}

QString Read(const QString& file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? QString::fromUtf8(in.readAll()) : QString();
}

// The key=value lines of the [Desktop Entry] group.
std::map<QString, QString> DesktopKeys(const QString& text) {
    std::map<QString, QString> keys;
    bool inEntry = false;
    for (const QString& line : text.split('\n')) {
        if (line.startsWith('[')) {
            inEntry = line == "[Desktop Entry]";
        } else if (inEntry && line.contains('=')) {
            keys[line.section('=', 0, 0)] = line.section('=', 1);
        }
    }
    return keys;
}

// Readable in a failed expectation.
std::string Text(QStringView text) {
    return text.toString().toStdString();
}

// Every element's attributes by element name, the last one of each name winning; empty when the
// document is not well formed or its root is not `root` in `space`.
std::map<QString, QXmlStreamAttributes> Elements(const QString& file, const QString& root,
                                                 const QString& space) {
    std::map<QString, QXmlStreamAttributes> elements;
    QXmlStreamReader xml(Read(file));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (elements.empty() && (xml.name() != root || xml.namespaceUri() != space)) {
            return {};
        }
        elements[xml.name().toString()] = xml.attributes();
    }
    return xml.hasError() ? std::map<QString, QXmlStreamAttributes>{} : elements;
}

class InstallTree : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Prefix = std::make_unique<TempFolder>();
        Install = std::make_unique<Ran>(
            RunProgram(QUILLAX_CMAKE, {"--install", QUILLAX_BUILD_DIR, "--prefix", Path("")}));
    }
    static void TearDownTestSuite() { Prefix.reset(); }

    static QString Path(const QString& relative) {
        return QDir(QString::fromStdString(Prefix->Root().string())).filePath(relative);
    }

    static std::unique_ptr<TempFolder> Prefix;
    static std::unique_ptr<Ran> Install;
};

std::unique_ptr<TempFolder> InstallTree::Prefix;
std::unique_ptr<Ran> InstallTree::Install;
} // namespace

TEST_F(InstallTree, HoldsExactlyTheProgramsPagesAndDesktopFiles) {
    ASSERT_EQ(Install->Status, 0) << Text(Install->Output);
    QStringList expected =
        QStringList{Editor, Cli, DrawingModule, DesktopEntry, MimePackage, Icon} + ManPages;
    QStringList installed;
    QDirIterator files(Path(""), QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        installed << QDir(Path("")).relativeFilePath(files.next());
    }
    expected.sort();
    installed.sort();
    EXPECT_EQ(Text(installed.join(' ')), Text(expected.join(' ')));
    EXPECT_TRUE(QFileInfo(Path(Editor)).isExecutable());
    EXPECT_TRUE(QFileInfo(Path(Cli)).isExecutable());
    // The installed binary runs from its new place.
    const Ran help = RunProgram(Path(Cli), {"--help"});
    EXPECT_EQ(help.Status, 0) << Text(help.Output);
    EXPECT_TRUE(help.Output.contains("render")) << Text(help.Output);
    // Its drawing commands too, from the module beside the libraries.
    const QString picture = Path("ship.png");
    const Ran render = RunProgram(Path(Cli), {"render", QUILLAX_ASSETS "/PlayerTopb.lin", picture});
    EXPECT_EQ(render.Status, 0) << Text(render.Output);
    EXPECT_TRUE(QFileInfo(picture).size() > 0);
    QFile::remove(picture);
}

TEST_F(InstallTree, DesktopEntryOpensObjectFilesInTheEditor) {
    std::map<QString, QString> keys = DesktopKeys(Read(Path(DesktopEntry)));
    ASSERT_FALSE(keys.empty());
    EXPECT_EQ(Text(keys["Type"]), "Application");
    EXPECT_EQ(Text(keys["Exec"]), Text(QFileInfo(Editor).fileName() + " %f"));
    EXPECT_EQ(Text(keys["Icon"]), Text(QFileInfo(Icon).completeBaseName()));
    EXPECT_TRUE(keys["MimeType"].split(';').contains(ObjectType)) << Text(keys["MimeType"]);
    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    if (!validator.isEmpty()) {
        const Ran validated = RunProgram(validator, {Path(DesktopEntry)});
        EXPECT_EQ(validated.Status, 0);
        EXPECT_EQ(Text(validated.Output), "");
    }
}

TEST_F(InstallTree, MimeTypeKnowsObjectFilesByNameAndFirstBytes) {
    std::map<QString, QXmlStreamAttributes> elements =
        Elements(Path(MimePackage), "mime-info", MimeNamespace);
    ASSERT_FALSE(elements.empty()) << "not well-formed shared-mime-info XML";
    EXPECT_EQ(Text(elements["mime-type"].value("type")), Text(ObjectType));
    EXPECT_TRUE(elements.contains("comment"));
    EXPECT_EQ(Text(elements["glob"].value("pattern")), "*.lin");
    const QXmlStreamAttributes match = elements["match"];
    EXPECT_EQ(Text(match.value("offset")), "0");
    EXPECT_EQ(Text(match.value("type")), "big32");
    EXPECT_EQ(Text(match.value("value")), "0xde7a3a00");
    // The sample object, as the generator writes it, starts with the magic.
    QFile sample(QUILLAX_ASSETS "/PlayerTopb.lin");
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    EXPECT_EQ(sample.read(4).toHex().toStdString(), "de7a3a00");

    // The database tool accepts the package: the glob and the magic reach its compiled files.
    const QString updater = QStandardPaths::findExecutable("update-mime-database");
    if (!updater.isEmpty()) {
        TempFolder data;
        const QString mime = QString::fromStdString(data.Path("mime"));
        ASSERT_TRUE(QDir(mime).mkpath("packages"));
        ASSERT_TRUE(QFile::copy(Path(MimePackage), mime + "/packages/quillax.xml"));
        // Inside the search path, or the tool adds a note that it is not.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", QString::fromStdString(data.Root().string()));
        const Ran updated = RunProgram(updater, {mime}, environment);
        EXPECT_EQ(updated.Status, 0);
        EXPECT_EQ(Text(updated.Output), "");
        EXPECT_TRUE(Read(mime + "/globs2").contains(ObjectType + ":*.lin"));
        QFile magic(mime + "/magic");
        ASSERT_TRUE(magic.open(QIODevice::ReadOnly));
        EXPECT_TRUE(magic.readAll().contains(ObjectType.toLatin1()));
    }
}

TEST_F(InstallTree, IconIsAScalableDrawing) {
    std::map<QString, QXmlStreamAttributes> elements =
        Elements(Path(Icon), "svg", "http://www.w3.org/2000/svg");
    ASSERT_FALSE(elements.empty()) << "not a well-formed SVG document";
    EXPECT_FALSE(elements["svg"].value("viewBox").isEmpty());
    EXPECT_TRUE(elements.contains("polyline"));
}

TEST_F(InstallTree, ManualPagesHaveTheirSectionsAndRenderCleanly) {
    const QString groff = QStandardPaths::findExecutable("groff");
    const QString man = QStandardPaths::findExecutable("man");
    for (const QString& page : ManPages) {
        SCOPED_TRACE(page.toStdString());
        const QString name = QFileInfo(page).completeBaseName();
        const QString source = Read(Path(page));
        EXPECT_TRUE(source.startsWith(".TH " + name.toUpper().replace("-", "\\-") + " 1 "));
        for (const char* section : {"NAME", "SYNOPSIS", "DESCRIPTION", "SEE ALSO"}) {
            EXPECT_TRUE(source.contains("\n.SH " + QString(section) + "\n")) << section;
        }
        EXPECT_TRUE(source.contains("\n" + QString(name).replace("-", "\\-") + " \\- "));
        if (!groff.isEmpty()) {
            const Ran warnings = RunProgram(groff, {"-man", "-ww", "-z", Path(page)});
            EXPECT_EQ(warnings.Status, 0);
            EXPECT_EQ(Text(warnings.Output), "");
        }
        if (!man.isEmpty()) {
            const Ran shown = RunProgram(man, {"-l", Path(page)});
            EXPECT_EQ(shown.Status, 0) << Text(shown.Output);
            EXPECT_TRUE(shown.Output.contains("SYNOPSIS")) << Text(shown.Output);
            EXPECT_TRUE(shown.Output.contains(name + " - ")) << Text(shown.Output);
        }
    }
}

} // namespace quillax
