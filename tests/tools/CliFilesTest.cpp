#include "sampleobjects/LargeObject.h"
#include "sampleobjects/SampleObject.h"
#include "support/BmpBuilder.h"
#include "support/LinBuilder.h"
#include "support/QuillaxFixture.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>

namespace quillax {

namespace {
mode_t Kind(const std::string& path) {
    struct stat status {};
    return lstat(path.c_str(), &status) == 0 ? status.st_mode & S_IFMT : 0;
}

ProgramSetup LimitedTo(rlim_t fileSize) {
    ProgramSetup setup;
    setup.FileSizeLimit = fileSize;
    return setup;
}

ProgramSetup KilledAfter(double seconds) {
    ProgramSetup setup;
    setup.KillAfterSeconds = seconds;
    return setup;
}

ProgramSetup WithEnvironment(std::vector<std::string> changes) {
    ProgramSetup setup;
    setup.Environment = std::move(changes);
    return setup;
}

// Everything a FIFO holds, read without waiting.
std::string Drain(int reader) {
    std::string bytes;
    char buffer[4096];
    for (ssize_t got; (got = read(reader, buffer, sizeof buffer)) > 0;) {
        bytes.append(buffer, static_cast<size_t>(got));
    }
    close(reader);
    return bytes;
}

class CliFiles : public QuillaxFixture {
protected:
    std::string Write(const std::string& name, const std::string& bytes) {
        std::ofstream(Folder.Path(name), std::ios::binary) << bytes;
        return Folder.Path(name);
    }
    std::string Ship(const std::string& name = "ship.lin") {
        WriteLinFile(Folder.Path(name), LinBytes(SampleShip()));
        return Folder.Path(name);
    }

    // A character device of the kind of /dev/null (minor 3) or /dev/full (7). The superuser gets a
    // node of its own, so a program that replaced it could harm nothing; others get the system's,
    // which they cannot replace. Empty when neither is possible.
    std::string CharDevice(const std::string& name, unsigned minor) {
        const std::string node = Folder.Path(name);
        if (geteuid() != 0) {
            return "/dev/" + name;
        }
        const int probe = mknod(node.c_str(), S_IFCHR | 0666, makedev(1, minor)) == 0
                              ? open(node.c_str(), O_WRONLY | O_CLOEXEC)
                              : -1;
        if (probe < 0) {
            unlink(node.c_str());
            return "";
        }
        close(probe);
        return node;
    }
};

// The commands that write a file, each with its output at the end.
std::vector<std::vector<std::string>> Writers(const std::string& ship, const std::string& bitmap,
                                              const std::string& output) {
    return {{"render", ship, "--size", "8x8", output},
            {"svg", ship, "--size", "8x8", output},
            {"bmp24", bitmap, output}};
}
} // namespace

TEST_F(CliFiles, FifosDevicesAndLinksAreWrittenThroughNeverReplaced) {
    const std::string ship = Ship();
    const std::string bitmap = Write("in.bmp", BmpBuilder(3, 2, 24).Bytes().toStdString());
    const std::string fifo = Folder.Path("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    ASSERT_EQ(symlink("fifo", Folder.Path("fifo-link").c_str()), 0);
    ASSERT_EQ(symlink("target.out", Folder.Path("file-link").c_str()), 0);
    ASSERT_EQ(mkdir(Folder.Path("folder").c_str(), 0700), 0);
    ASSERT_EQ(symlink("loop", Folder.Path("loop").c_str()), 0);
    const int listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    Folder.Path("socket").copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    const std::string null = CharDevice("null", 3);
    const std::string full = CharDevice("full", 7);
    for (size_t k = 0; k < 3; ++k) {
        const auto run = [&](const std::string& output) { return Quillax(Writers(ship, bitmap, output)[k]); };
        SCOPED_TRACE(Writers(ship, bitmap, "")[k][0]);
        ASSERT_EQ(run(Folder.Path("regular")).Status, 0);
        const std::string expected = Contents(Folder.Path("regular")).value();
        for (const std::string& name : {fifo, Folder.Path("fifo-link")}) {
            const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
            const ProgramRun written = run(name);
            EXPECT_EQ(written.Status, 0) << written.Err;
            EXPECT_TRUE(Drain(reader) == expected) << name;
        }
        EXPECT_EQ(Kind(fifo), S_IFIFO);
        EXPECT_EQ(Kind(Folder.Path("fifo-link")), S_IFLNK);

        EXPECT_EQ(run(Folder.Path("file-link")).Status, 0);
        EXPECT_EQ(Kind(Folder.Path("file-link")), S_IFLNK) << "written through to its target";
        EXPECT_TRUE(Contents(Folder.Path("target.out")) == expected);

        for (const auto& [name, reason] : std::vector<std::pair<std::string, std::string>>{
                 {"folder", "Is a directory"},
                 {"loop", "Too many levels of symbolic links"},
                 {"socket", "not a regular file, FIFO or character device"}}) {
            const ProgramRun refused = run(Folder.Path(name));
            EXPECT_EQ(refused.Status, 1);
            EXPECT_NE(refused.Err.find(reason), std::string::npos) << refused.Err;
        }
        EXPECT_TRUE(FolderNames(Folder.Path("folder")).empty());
        if (geteuid() != 0) {
            const std::string kept = Write("read-only", "kept");
            chmod(kept.c_str(), 0444);
            EXPECT_NE(run(kept).Err.find("Permission denied"), std::string::npos);
            EXPECT_EQ(Contents(kept), "kept");
        }

        if (!null.empty()) {
            EXPECT_EQ(run(null).Status, 0);
            EXPECT_EQ(Kind(null), S_IFCHR);
            const ProgramRun onFull = run(full);
            EXPECT_EQ(onFull.Status, 1);
            EXPECT_NE(onFull.Err.find("No space left on device"), std::string::npos) << onFull.Err;
            EXPECT_EQ(Kind(full), S_IFCHR);
        }
    }
    close(listener);
    std::set<std::string> expected = {"ship.lin", "in.bmp", "fifo",       "fifo-link", "file-link", "folder",
                                      "loop",     "socket", "target.out", "regular",   "run"};
    if (geteuid() != 0) {
        expected.insert("read-only");
    }
    for (const std::string& device : {null, full}) {
        if (device.starts_with(Folder.Root().string())) {
            expected.insert(device.substr(device.rfind('/') + 1));
        }
    }
    EXPECT_EQ(FolderNames(Folder.Root().string()), expected) << "no temporary file is left";
}

TEST_F(CliFiles, AFullDiskNeverCostsTheOldFile) {
    const std::string ship = Ship();
    BmpBuilder picture(40, 40, 24);
    const std::string bitmap = Write("in.bmp", picture.Bytes().toStdString());
    const std::vector<std::vector<std::string>> commands = {{"render", ship, "out.bmp", "--no-grid"},
                                                            {"render", ship, "out.png", "--no-grid"},
                                                            {"svg", ship, "out.svg", "--no-grid"},
                                                            {"bmp24", bitmap, "out24.bmp"}};
    for (std::vector<std::string> command : commands) {
        SCOPED_TRACE(command[0] + " " + command[2]);
        const std::string old = Write(command[2], "the good old file\n");
        command[2] = old;
        const ProgramRun full = Quillax(command, LimitedTo(1024));
        EXPECT_EQ(full.Status, 1);
        EXPECT_NE(full.Err.find("File too large"), std::string::npos) << full.Err;
        EXPECT_EQ(Contents(old), "the good old file\n");

        command[2] = Folder.Path("new-" + command[2].substr(command[2].rfind('/') + 1));
        EXPECT_EQ(Quillax(command, LimitedTo(1024)).Status, 1);
        EXPECT_EQ(Kind(command[2]), 0u) << "a new name stays unused";
    }
    EXPECT_EQ(
        FolderNames(Folder.Root().string()),
        (std::set<std::string>{"ship.lin", "in.bmp", "out.bmp", "out.png", "out.svg", "out24.bmp", "run"}));
}

TEST_F(CliFiles, SvgStreamsItsDocumentAndNeitherAKillNorRunningOutOfMemoryCostsTheOldOne) {
    // Large enough for its document to stand out from the scene; smaller where only the kill is checked.
    WriteLinFile(Folder.Path("large.lin"), LinBytes(LargeObject(MeasuresMemory ? 200000 : 20000, 20)));
    const std::string large = Folder.Path("large.lin");
    const std::string output = Folder.Path("large.svg");
    const ProgramRun whole = Quillax({"svg", large, output});
    ASSERT_EQ(whole.Status, 0) << whole.Err;
    const std::string document = Contents(output).value();
    ASSERT_TRUE(document.ends_with("</svg>\n"));
    if (MeasuresMemory) {
        // The same scene drawn as a tiny picture: what the object and its markers need.
        const ProgramRun picture = Quillax({"render", large, Folder.Path("large.bmp"), "--size", "8x8"});
        ASSERT_EQ(picture.Status, 0);
        EXPECT_LT(whole.PeakKilobytes, picture.PeakKilobytes + 16 * 1024)
            << "the " << document.size() / 1000000 << " MB document is never held";
    }

    Write("large.svg", "the good old document\n");
    const ProgramRun killed = Quillax({"svg", large, output}, KilledAfter(whole.Seconds / 2));
    const std::string after = Contents(output).value();
    // On a busy machine the kill can come after the rename, in the last milliseconds before the exit.
    EXPECT_TRUE(after == document || (killed.Signal != 0 && after == "the good old document\n"))
        << "never a part of the new document; " << after.size() << " bytes";
    if (MeasuresMemory) {
        // From too little memory to finish to enough.
        for (const rlim_t megabytes : {96, 128, 192}) {
            Write("large.svg", "the good old document\n");
            ProgramSetup setup;
            setup.AddressSpaceLimit = megabytes << 20;
            const ProgramRun limited = Quillax({"svg", large, output}, setup);
            SCOPED_TRACE(std::to_string(megabytes) + " MB");
            if (limited.Err.find("error while loading shared libraries") != std::string::npos) {
                continue; // too little for the system to start the program at all
            }
            EXPECT_EQ(limited.Signal, 0);
            if (limited.Status == 0) {
                EXPECT_TRUE(Contents(output) == document);
            } else {
                EXPECT_EQ(limited.Status, 1);
                EXPECT_NE(limited.Err.find("out of memory"), std::string::npos) << limited.Err;
                EXPECT_EQ(Contents(output), "the good old document\n");
            }
        }
    }
    std::set<std::string> expected = {"large.lin", "large.svg", "run"};
    if (MeasuresMemory) {
        expected.insert("large.bmp");
    }
    EXPECT_EQ(FolderNames(Folder.Root().string()), expected);
}

TEST_F(CliFiles, HugeBitmapsAreRefusedAtOnceAndEveryLoadStaysWithinThreeImages) {
    BmpBuilder huge(8, 1, 1); // the headers of 10922 x 32767 at 1 bit, its pixel data a sparse gap
    huge.Info.biWidth = 10922;
    huge.Info.biHeight = 32767;
    huge.Info.biSizeImage = 0;
    const std::string hugeFile = Write("huge.bmp", huge.Bytes().left(54 + 8).toStdString());
    ASSERT_EQ(truncate(hugeFile.c_str(), 54 + 8 + 1368LL * 32767), 0);
    const ProgramRun refused = Quillax({"bmp24", hugeFile, Folder.Path("huge-out.bmp")});
    EXPECT_EQ(refused.Status, 1);
    EXPECT_NE(refused.Err.find("Error: 7"), std::string::npos) << refused.Err;
    EXPECT_NE(refused.Err.find("an image of 10922 x 32767 pixels"), std::string::npos) << "width first";
    EXPECT_EQ(std::count(refused.Err.begin(), refused.Err.end(), '\n'), 1) << "one line: " << refused.Err;
    EXPECT_LT(refused.Seconds, 5);
    if (MeasuresMemory) {
        EXPECT_LT(refused.PeakKilobytes, 200 * 1024);
    }
    EXPECT_EQ(Kind(Folder.Path("huge-out.bmp")), 0u);

    const ProgramRun tiny = Quillax(
        {"bmp24", Write("tiny.bmp", BmpBuilder(1, 1, 1).Bytes().toStdString()), Folder.Path("tiny-out.bmp")});
    ASSERT_EQ(tiny.Status, 0);
    for (const uint16_t bits : {1, 24}) {
        const std::string input = Write("large.bmp", BmpBuilder(3000, 2000, bits).Bytes().toStdString());
        const ProgramRun converted = Quillax({"bmp24", input, Folder.Path("large-out.bmp")});
        ASSERT_EQ(converted.Status, 0) << converted.Err;
        if (MeasuresMemory) {
            const long image = 3L * 3000 * 2000 / 1024;
            EXPECT_LT(converted.PeakKilobytes - tiny.PeakKilobytes, 3 * image + 16 * 1024) << bits << " bits";
        }
    }
    EXPECT_EQ(Kind(Folder.Path("run/quillax-" + std::to_string(geteuid()) + "/DCReload.bmp")), 0u)
        << "no reload file is left";
}

TEST_F(CliFiles, InputsThatAreNotRegularFilesAreRefusedAtOnce) {
    const std::string fifo = Folder.Path("fifo.lin");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    ASSERT_EQ(symlink("loop.lin", Folder.Path("loop.lin").c_str()), 0);
    const std::vector<std::pair<std::string, std::string>> inputs = {
        {fifo, "not a regular file"},
        {Folder.Path("run"), "not a regular file"},
        {"/dev/zero", "not a regular file"},
        {Folder.Path("loop.lin"), "Too many levels of symbolic links"}};
    for (const auto& [input, reason] : inputs) {
        const std::string out = Folder.Path("out");
        for (const std::vector<std::string>& command :
             std::vector<std::vector<std::string>>{{"check", input},
                                                   {"info", input},
                                                   {"render", input, out},
                                                   {"svg", input, out},
                                                   {"bmp24", input, out}}) {
            SCOPED_TRACE(command[0] + " " + input);
            const ProgramRun run = Quillax(command, KilledAfter(10));
            EXPECT_EQ(run.Status, 1);
            EXPECT_NE((run.Out + run.Err).find(reason), std::string::npos) << run.Out << run.Err;
            EXPECT_LT(run.Seconds, 5);
            EXPECT_EQ(Kind(out), 0u);
        }
    }
}

TEST_F(CliFiles, FileNamesAreBytes) {
    const std::string ship = Ship("ship\xff.lin");
    const std::string bitmap = Write("in\xfe.bmp", BmpBuilder(2, 2, 8).Bytes().toStdString());
    const ProgramRun check = Quillax({"check", ship});
    EXPECT_EQ(check.Status, 0) << check.Err;
    EXPECT_NE(check.Out.find("ship\\xff.lin: ok"), std::string::npos) << check.Out;
    EXPECT_EQ(Quillax({"render", ship, Folder.Path("out\xfd.bmp")}).Status, 0);
    EXPECT_EQ(Quillax({"render", ship, Folder.Path("out\xfc.png")}).Status, 0);
    EXPECT_EQ(Quillax({"svg", ship, Folder.Path("out\xfb.svg")}).Status, 0);
    const ProgramRun converted = Quillax({"bmp24", bitmap, Folder.Path("out\xfa.bmp")});
    EXPECT_EQ(converted.Status, 0) << converted.Err;
    EXPECT_EQ(FolderNames(Folder.Root().string()),
              (std::set<std::string>{"ship\xff.lin", "in\xfe.bmp", "out\xfd.bmp", "out\xfc.png",
                                     "out\xfb.svg", "out\xfa.bmp", "run"}));
}

TEST_F(CliFiles, AnUntrustedReloadFolderChangesNothing) {
    const std::string ship = Ship();
    ASSERT_EQ(Quillax({"render", ship, Folder.Path("expected.bmp")}).Status, 0);
    const std::string temp = Folder.Path("tmp");
    const std::string foreign = temp + "/quillax-" + std::to_string(geteuid());
    ASSERT_EQ(mkdir(temp.c_str(), 0700), 0);
    ASSERT_EQ(mkdir(foreign.c_str(), 0777), 0);
    ASSERT_EQ(chmod(foreign.c_str(), 0777), 0);
    if (geteuid() == 0) {
        ASSERT_EQ(chown(foreign.c_str(), 65534, 65534), 0) << "another user's folder";
        ASSERT_EQ(chmod(foreign.c_str(), 0700), 0);
    }
    const ProgramRun run = Quillax({"render", ship, Folder.Path("out.bmp")},
                                   WithEnvironment({"XDG_RUNTIME_DIR", "TMPDIR=" + temp}));
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_TRUE(Contents(Folder.Path("out.bmp")) == Contents(Folder.Path("expected.bmp")));
    EXPECT_EQ(FolderNames(temp), std::set<std::string>{"quillax-" + std::to_string(geteuid())})
        << "the fresh private folder goes with the program";
    EXPECT_TRUE(FolderNames(foreign).empty());
}

} // namespace quillax
