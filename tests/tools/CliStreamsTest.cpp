#include "sampleobjects/LargeObject.h"
#include "sampleobjects/SampleObject.h"
#include "support/BmpBuilder.h"
#include "support/LinBuilder.h"
#include "support/QuillaxFixture.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

namespace quillax {

namespace {
#if defined(__SANITIZE_ADDRESS__)
constexpr bool Sanitized = true;
#else
constexpr bool Sanitized = false;
#endif

ino_t InodeOf(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 ? status.st_ino : 0;
}

int Lines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

// The real `quillax` where the shell gives it its standard streams.
class CliStreams : public QuillaxFixture {
protected:
    std::string Ship() {
        WriteLinFile(Folder.Path("ship.lin"), LinBytes(SampleShip()));
        return Folder.Path("ship.lin");
    }
    std::string Write(const std::string& name, const std::string& bytes) {
        std::ofstream(Folder.Path(name), std::ios::binary) << bytes;
        return Folder.Path(name);
    }
    // script with $Q standing for the program.
    ProgramRun Shell(const std::string& script, ProgramSetup setup = {}) {
        setup.Environment.push_back("Q=" + std::string(QUILLAX_BINARY));
        setup.Environment.push_back("XDG_RUNTIME_DIR=" + Folder.Path("run"));
        return RunProgram("/bin/sh", {"-c", script}, setup);
    }
    // A user other than the test's to run as, with a reload folder of its own; none unless the test
    // runs as the superuser. The program is run from a copy in the test's folder, which that user
    // can reach wherever the build is.
    std::optional<ProgramSetup> AsAnotherUser(uid_t user, std::vector<gid_t> groups) {
        if (geteuid() != 0) {
            return std::nullopt;
        }
        const std::string run = Folder.Path("run-" + std::to_string(user));
        EXPECT_EQ(chmod(Folder.Root().c_str(), 0777), 0);
        CopyProgram(Program, true);
        EXPECT_EQ(mkdir(run.c_str(), 0700), 0);
        EXPECT_EQ(chown(run.c_str(), user, user), 0);
        ProgramSetup setup;
        setup.User = user;
        setup.Groups = std::move(groups);
        setup.Environment = {"XDG_RUNTIME_DIR=" + run};
        return setup;
    }

    // The program copied to `copy`, with its drawing module where it looks for it when `withModule`.
    static void CopyProgram(const std::filesystem::path& copy, bool withModule) {
        const std::filesystem::path binary(QUILLAX_BINARY);
        const std::filesystem::path module =
            copy.parent_path() /
            std::filesystem::path(QUILLAX_DRAWING_MODULE).lexically_relative(binary.parent_path());
        const auto overwrite = std::filesystem::copy_options::overwrite_existing;
        std::filesystem::create_directories(copy.parent_path());
        std::filesystem::copy_file(binary, copy, overwrite);
        EXPECT_EQ(chmod(copy.c_str(), 0755), 0);
        if (withModule) {
            std::filesystem::create_directories(module.parent_path());
            std::filesystem::copy_file(QUILLAX_DRAWING_MODULE, module, overwrite);
        }
    }

    std::string Program = Folder.Path("bin/quillax");
};
} // namespace

TEST_F(CliStreams, StandardOutputNamedByAPathIsWrittenAsTheShellOpenedIt) {
    const std::string ship = Ship();
    const ProgramRun alone = Quillax({"svg", ship, "-"});
    ASSERT_EQ(alone.Status, 0);
    const std::string log = Write("log.txt", "OLD\n");
    const ino_t inode = InodeOf(log);
    for (const char* path : {"/dev/stdout", "/dev/fd/1", "/proc/self/fd/1"}) {
        const ProgramRun run = Shell("$Q svg " + ship + " " + path + " >> " + log);
        EXPECT_EQ(run.Status, 0) << run.Err;
    }
    EXPECT_EQ(InodeOf(log), inode) << "never replaced";
    EXPECT_TRUE(Contents(log) == "OLD\n" + alone.Out + alone.Out + alone.Out);
    const ProgramRun framed =
        Shell("{ echo HEADER; $Q svg " + ship + " /dev/stdout; echo FOOTER; } > " + Folder.Path("c.txt"));
    EXPECT_EQ(framed.Status, 0) << framed.Err;
    EXPECT_TRUE(Contents(Folder.Path("c.txt")) == "HEADER\n" + alone.Out + "FOOTER\n");
    const ProgramRun errors =
        Shell("$Q render " + ship + " /dev/stderr --format png 2> " + Folder.Path("e.png"));
    EXPECT_EQ(errors.Status, 0);
    EXPECT_TRUE(Contents(Folder.Path("e.png"))->starts_with("\x89PNG"));
}

TEST_F(CliStreams, WhatACommandPrintsMustArriveOrTheCommandFails) {
    const std::string ship = Ship();
    for (const std::string& command : std::vector<std::string>{
             "info " + ship, "check " + ship, "check --json " + ship, "help", "--version", "help render"}) {
        SCOPED_TRACE(command);
        const ProgramRun full = Shell("$Q " + command + " > /dev/full");
        EXPECT_EQ(full.Status, 1);
        EXPECT_EQ(full.Err, "quillax: cannot write standard output: No space left on device\n");
    }
    const ProgramRun closed = Shell("$Q info " + ship + " >&-");
    EXPECT_EQ(closed.Status, 1);
    EXPECT_EQ(closed.Err, "quillax: cannot write standard output: Bad file descriptor\n");
    // More than a file-size limit of 1 KB lets through: the JSON would be cut short.
    ProgramSetup limited;
    limited.FileSizeLimit = 1024;
    const ProgramRun cut =
        Shell("$Q info --json --points " + ship + " > " + Folder.Path("info.json"), limited);
    EXPECT_EQ(cut.Status, 1);
    EXPECT_EQ(cut.Signal, 0);
    EXPECT_EQ(cut.Err, "quillax: cannot write standard output: File too large\n");
    const ProgramRun usage = Shell("$Q render 2> /dev/full");
    EXPECT_EQ(usage.Status, 2) << "a usage error stays one";
}

TEST_F(CliStreams, AFifoWithoutAReaderIsWaitedOnForAtMostTheWait) {
    const std::string ship = Ship();
    const std::string fifo = Folder.Path("f.svg");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const ProgramRun none = Quillax({"svg", ship, fifo, "--wait", "0.5"});
    EXPECT_EQ(none.Status, 1);
    EXPECT_EQ(none.Err, "quillax svg: cannot write " + fifo +
                            ": no program opened the FIFO for reading within 0.5 seconds\n");
    EXPECT_LT(none.Seconds, 3);
    for (const std::vector<std::string>& command : std::vector<std::vector<std::string>>{
             {"svg", ship, fifo, "--wait=0"}, {"convert", ship, fifo, "--wait", "0"}}) {
        const ProgramRun zero = Quillax(command);
        EXPECT_EQ(zero.Status, 1) << command[0];
        EXPECT_NE(zero.Err.find("no program opened the FIFO"), std::string::npos) << zero.Err;
        EXPECT_LT(zero.Seconds, 2);
    }

    std::string received;
    std::thread reader([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        received = Contents(fifo).value_or("");
    });
    const ProgramRun late = Quillax({"svg", ship, fifo, "--wait", "10"});
    reader.join();
    EXPECT_EQ(late.Status, 0) << late.Err;
    EXPECT_TRUE(received.ends_with("</svg>\n"));
    for (const char* bad : {"-1", "x", "3601", "nan"}) {
        EXPECT_EQ(Quillax({"svg", ship, fifo, "--wait", bad}).Status, 2) << bad;
    }
}

// Qt shares large pattern fills out to threads and waits on them, and the markers of a large object
// are shared out between the cores; with no thread to be had (a user at the process limit) the
// picture is still drawn, the same.
TEST_F(CliStreams, PaintingNeedsNoThreadToStart) {
    const std::string ship = Ship();
    WriteLinFile(Folder.Path("large.lin"), LinBytes(LargeObject(100000, 4)));
    std::optional<ProgramSetup> setup = AsAnotherUser(1234, {1234});
    if (!setup) {
        setup = ProgramSetup{};
        Program = QUILLAX_BINARY;
    }
    setup->ProcessLimit = 1;
    if (Sanitized) {
        setup->Environment.push_back("ASAN_OPTIONS=detect_leaks=0"); // the leak check starts a thread
    }
    for (const auto& [input, size] : std::vector<std::pair<std::string, std::string>>{
             {ship, "578x520"}, {ship, "3000x2000"}, {Folder.Path("large.lin"), "578x520"}}) {
        SCOPED_TRACE(input + " " + size);
        const std::string expected = Folder.Path("expected.bmp");
        ASSERT_EQ(Quillax({"render", input, expected, "--size", size}).Status, 0);
        const std::string output = Folder.Path("no-threads.bmp");
        const ProgramRun run = RunProgram(Program, {"render", input, output, "--size", size}, *setup);
        if (run.Status == 127) {
            GTEST_SKIP() << "the program cannot be started as another user here";
        }
        EXPECT_EQ(run.Status, 0) << run.Err;
        EXPECT_LT(run.Seconds, 20);
        EXPECT_TRUE(Contents(output) == Contents(expected));
    }
}

TEST_F(CliStreams, AnErrorOfTheSurfaceFailsTheCommandAndWritesNothing) {
    const std::string ship = Ship();
    ProgramSetup noFolder;
    noFolder.Environment = {"XDG_RUNTIME_DIR=" + Folder.Path("missing"), "TMPDIR=" + Folder.Path("missing")};
    const ProgramRun run = RunProgram(QUILLAX_BINARY, {"render", ship, Folder.Path("out.bmp")}, noFolder);
    EXPECT_EQ(run.Status, 1);
    EXPECT_TRUE(run.Err.starts_with("quillax render: Error: 75; Location: GetDCsObject; ")) << run.Err;
    EXPECT_EQ(Lines(run.Err), 1) << run.Err;
    EXPECT_FALSE(Contents(Folder.Path("out.bmp")));
    EXPECT_EQ(RunProgram(QUILLAX_BINARY, {"svg", ship, Folder.Path("out.svg")}, noFolder).Status, 0)
        << "an SVG document needs no surface";
}

TEST_F(CliStreams, MessagesAreOneLineAndGiveTheRealReason) {
    const std::string ship = Ship();
    ProgramSetup limited;
    limited.FileSizeLimit = 4096;
    const ProgramRun png = Quillax({"render", ship, Folder.Path("out.png")}, limited);
    EXPECT_EQ(png.Status, 1);
    EXPECT_EQ(png.Signal, 0);
    EXPECT_EQ(png.Err, "quillax render: cannot write " + Folder.Path("out.png") + ": File too large\n");
    const ProgramRun bmp = Quillax({"render", ship, Folder.Path("out.bmp"), "--size", "32767x32767"});
    EXPECT_EQ(bmp.Status, 1);
    EXPECT_NE(bmp.Err.find("a BMP file of 32767 x 32767 pixels would take 3221127222 bytes"),
              std::string::npos)
        << bmp.Err;
    EXPECT_LT(bmp.Seconds, 5) << "refused before anything is drawn";
}

TEST_F(CliStreams, RunningOutOfMemoryEndsWithStatusOneAndTheReason) {
    if (Sanitized) {
        GTEST_SKIP() << "the address sanitizer needs more address space than any limit here";
    }
    const std::string ship = Ship();
    const std::string bitmap = Write("m3000.bmp", BmpBuilder(3000, 3000, 24).Bytes().toStdString());
    const std::vector<std::pair<std::vector<std::string>, rlim_t>> runs = {
        {{"render", ship, Folder.Path("o.bmp"), "--size", "6000x6000"}, 320},
        {{"render", ship, Folder.Path("o.png"), "--size", "6000x6000"}, 320},
        {{"bmp24", bitmap, Folder.Path("o24.bmp")}, 100}};
    for (const auto& [command, megabytes] : runs) {
        SCOPED_TRACE(command[0] + " under " + std::to_string(megabytes) + " MB");
        ProgramSetup setup;
        setup.AddressSpaceLimit = megabytes << 20;
        const ProgramRun run = Quillax(command, setup);
        EXPECT_EQ(run.Signal, 0);
        EXPECT_EQ(run.Status, 1);
        EXPECT_NE(run.Err.find("ut of memory"), std::string::npos) << run.Err;
        EXPECT_EQ(Lines(run.Err), 1) << run.Err;
        EXPECT_FALSE(Contents(command[2]));
    }
}

// A file of another user that this one may write (through its group): written in place, so the
// owner and group stay, and said so; where no copy can be made beside it first, refused.
TEST_F(CliStreams, AnotherUsersFileIsRewrittenInPlaceAndSaidSo) {
    const std::string ship = Ship();
    std::optional<ProgramSetup> setup = AsAnotherUser(1236, {1236, 1235});
    if (!setup) {
        GTEST_SKIP() << "needs the superuser to make another user's file";
    }
    ASSERT_EQ(Quillax({"render", ship, Folder.Path("expected.bmp")}).Status, 0);
    const std::string theirs = Write("theirs.bmp", "their old picture");
    ASSERT_EQ(chown(theirs.c_str(), 1234, 1235), 0);
    ASSERT_EQ(chmod(theirs.c_str(), 0660), 0);
    const ino_t inode = InodeOf(theirs);
    const ProgramRun run = RunProgram(Program, {"render", ship, theirs}, *setup);
    if (run.Status == 127) {
        GTEST_SKIP() << "the program cannot be started as another user here";
    }
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Err,
              "quillax render: " + theirs +
                  " is another user's file (owner 1234, group 1235): it is rewritten in place, keeping "
                  "them\n");
    struct stat status {};
    ASSERT_EQ(stat(theirs.c_str(), &status), 0);
    EXPECT_EQ(status.st_ino, inode);
    EXPECT_EQ(status.st_uid, 1234u);
    EXPECT_EQ(status.st_gid, 1235u);
    EXPECT_TRUE(Contents(theirs) == Contents(Folder.Path("expected.bmp")));

    ASSERT_EQ(chmod(Folder.Root().c_str(), 0755), 0);
    const ProgramRun refused = RunProgram(Program, {"render", ship, theirs, "--no-grid"}, *setup);
    EXPECT_EQ(refused.Status, 1);
    EXPECT_NE(refused.Err.find("Permission denied"), std::string::npos) << refused.Err;
    EXPECT_TRUE(Contents(theirs) == Contents(Folder.Path("expected.bmp")));
}

// Only the commands that draw load QtGui, from their module: the program itself starts without it, and
// without the module it still checks and describes, while a drawing command says what is missing.
TEST_F(CliStreams, OnlyTheDrawingCommandsNeedQtGuiAndTheirModule) {
    ProgramSetup trace;
    trace.Environment = {"LD_TRACE_LOADED_OBJECTS=1"};
    const ProgramRun loaded = RunProgram(QUILLAX_BINARY, {}, trace);
    EXPECT_NE(loaded.Out.find("libQt6Core"), std::string::npos) << loaded.Out;
    EXPECT_EQ(loaded.Out.find("libQt6Gui"), std::string::npos) << loaded.Out;

    const std::string ship = Ship();
    EXPECT_EQ(RunProgram(QUILLAX_BINARY, {"render", ship, Folder.Path("with.bmp")}).Status, 0);
    const std::string alone = Folder.Path("alone/quillax");
    CopyProgram(alone, false);
    EXPECT_EQ(RunProgram(alone, {"check", ship}).Status, 0);
    EXPECT_EQ(RunProgram(alone, {"--version"}).Status, 0);
    const ProgramRun render = RunProgram(alone, {"render", ship, Folder.Path("out.bmp")});
    EXPECT_EQ(render.Status, 1);
    EXPECT_TRUE(render.Err.starts_with("quillax render: cannot load the drawing commands: ")) << render.Err;
    EXPECT_NE(render.Err.find("libquillax-drawing.so"), std::string::npos) << render.Err;
    EXPECT_EQ(Lines(render.Err), 1) << render.Err;
    EXPECT_FALSE(Contents(Folder.Path("out.bmp")));
    EXPECT_EQ(RunProgram(alone, {"help", "svg"}).Status, 1) << "a drawing command's help is in its module";
}

} // namespace quillax
