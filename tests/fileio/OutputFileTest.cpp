#include "fileio/OutputFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <set>

namespace quillax {

namespace {
struct stat StatusOf(const std::string& path) {
    struct stat status {};
    EXPECT_EQ(lstat(path.c_str(), &status), 0) << path;
    return status;
}

std::string Contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

std::vector<uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

class OutputFileTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& bytes) {
        std::ofstream(Folder.Path(name), std::ios::binary) << bytes;
        return Folder.Path(name);
    }
    // A leftover of a killed writer, last written `age` seconds ago.
    std::string Leftover(const std::string& name, int age) {
        const std::string path = Write(name, "part of a save");
        const timespec times[2] = {{time(nullptr) - age, 0}, {time(nullptr) - age, 0}};
        EXPECT_EQ(utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0);
        return path;
    }

    TempFolder Folder;
};
} // namespace

TEST_F(OutputFileTest, AReplacementKeepsModeOwnerAndGroupAndALinkAtThePathStays) {
    const std::string file = Write("ship.lin", "old");
    ASSERT_EQ(chmod(file.c_str(), 0640), 0);
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(chown(file.c_str(), 1234, 1235), 0);
    }
    const ino_t old = StatusOf(file).st_ino;
    EXPECT_EQ(PlanOutput(file).Way, OutputWay::Replace);
    ASSERT_TRUE(WriteWholeFile(file, Bytes("new")).Ok());
    const struct stat status = StatusOf(file);
    EXPECT_EQ(Contents(file), "new");
    EXPECT_NE(status.st_ino, old) << "replaced whole, never half-written";
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(status.st_uid, root ? 1234u : geteuid());
    EXPECT_EQ(status.st_gid, root ? 1235u : getegid());

    ASSERT_EQ(symlink("ship.lin", Folder.Path("link.lin").c_str()), 0);
    ASSERT_TRUE(WriteWholeFile(Folder.Path("link.lin"), Bytes("through the link")).Ok());
    EXPECT_TRUE(S_ISLNK(StatusOf(Folder.Path("link.lin")).st_mode));
    EXPECT_EQ(Contents(file), "through the link");
    EXPECT_EQ(StatusOf(file).st_mode & 07777, 0640u);
    EXPECT_EQ(FolderNames(Folder.Root().string()), (std::set<std::string>{"ship.lin", "link.lin"}));
}

TEST_F(OutputFileTest, AFileWithSeveralNamesIsRewrittenInPlaceOnlyOnceTheWholeCopyIsWritten) {
    const std::string file = Write("ship.lin", "the old content, longer than the new");
    ASSERT_EQ(link(file.c_str(), Folder.Path("other-name.lin").c_str()), 0);
    const ino_t inode = StatusOf(file).st_ino;
    const OutputPlan plan = PlanOutput(file);
    EXPECT_EQ(plan.Way, OutputWay::InPlace);
    EXPECT_EQ(plan.Names, 2u);
    EXPECT_FALSE(plan.ForeignOwner);

    const WriteOutcome failed = WriteWholeFile(file, [](QIODevice& out) {
        out.write("half of it");
        return std::string("the writer gave up");
    });
    EXPECT_EQ(failed.Reason, "the writer gave up");
    EXPECT_EQ(Contents(file), "the old content, longer than the new") << "untouched until the copy is whole";

    ASSERT_TRUE(WriteWholeFile(file, Bytes("new")).Ok());
    EXPECT_EQ(Contents(file), "new");
    EXPECT_EQ(Contents(Folder.Path("other-name.lin")), "new") << "every name shows the new content";
    EXPECT_EQ(StatusOf(file).st_ino, inode);
    EXPECT_EQ(StatusOf(file).st_nlink, 2u);
    const std::string longer(300000, 'x');
    ASSERT_TRUE(WriteWholeFile(Folder.Path("other-name.lin"), Bytes(longer)).Ok());
    EXPECT_EQ(Contents(file), longer);
    EXPECT_EQ(FolderNames(Folder.Root().string()), (std::set<std::string>{"ship.lin", "other-name.lin"}))
        << "no copy is left";
}

TEST_F(OutputFileTest, PathsOfThisProcesssDescriptorsAreWrittenThroughTheDescriptor) {
    for (const auto& [path, descriptor] : std::vector<std::pair<std::string, int>>{
             {"/dev/stdout", 1}, {"/dev/stderr", 2}, {"/dev/fd/1", 1}, {"/proc/self/fd/2", 2}}) {
        const OutputPlan plan = PlanOutput(path);
        EXPECT_EQ(plan.Way, OutputWay::Direct) << path;
        EXPECT_EQ(plan.Descriptor, descriptor) << path;
    }
    // A descriptor open on a regular file, as a shell's ">>" leaves it: appended to, never replaced.
    const std::string log = Write("log.txt", "OLD\n");
    const int appending = open(log.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    ASSERT_GE(appending, 0);
    ASSERT_EQ(symlink(("/proc/self/fd/" + std::to_string(appending)).c_str(), Folder.Path("fd-link").c_str()),
              0);
    const ino_t inode = StatusOf(log).st_ino;
    for (const std::string& path : {"/dev/fd/" + std::to_string(appending), Folder.Path("fd-link")}) {
        ASSERT_TRUE(WriteWholeFile(path, Bytes("NEW\n")).Ok()) << path;
    }
    close(appending);
    EXPECT_EQ(Contents(log), "OLD\nNEW\nNEW\n");
    EXPECT_EQ(StatusOf(log).st_ino, inode);
    EXPECT_EQ(WriteWholeFile("/dev/fd/" + std::to_string(appending), Bytes("x")).Reason,
              "Bad file descriptor");
}

// The rules by which the leftovers of killed writers go: a replacement left beside its target is
// removed on the next write to that folder once it is this user's, unlocked and ten seconds old.
TEST_F(OutputFileTest, LeftoversOfKilledWritersAreRemovedOnTheNextWriteToTheirFolder) {
    const std::string old = Leftover(".ship.lin.quillax-0123abcd.tmp", 60);
    const std::string fresh = Leftover(".ship.lin.quillax-11112222.tmp", 0);
    const std::string locked = Leftover(".ship.lin.quillax-33334444.tmp", 60);
    const std::string copy = Leftover(".ship.lin.quillax-55556666.new", 60);
    const std::set<std::string> alien = {".ship.lin.quillax-0123ABCD.tmp", ".ship.lin.quillax-0123abc.tmp",
                                         "ship.lin.quillax-0123abcd.tmp", ".ship.lin.0123abcd.tmp",
                                         ".ship.lin.quillax-0123abcd.tmp~"};
    for (const std::string& name : alien) {
        Leftover(name, 60);
    }
    ASSERT_EQ(symlink("elsewhere", Folder.Path(".link.quillax-77778888.tmp").c_str()), 0);
    const std::string twoNames = Leftover(".two.quillax-9999aaaa.tmp", 60);
    ASSERT_EQ(link(twoNames.c_str(), Folder.Path("second-name").c_str()), 0);
    std::set<std::string> kept = alien;
    kept.insert({".ship.lin.quillax-11112222.tmp", ".ship.lin.quillax-33334444.tmp",
                 ".ship.lin.quillax-55556666.new", ".link.quillax-77778888.tmp", ".two.quillax-9999aaaa.tmp",
                 "second-name", "ship.lin"});
    if (geteuid() == 0) {
        const std::string foreign = Leftover(".theirs.quillax-bbbbcccc.tmp", 60);
        ASSERT_EQ(chown(foreign.c_str(), 1234, 1235), 0);
        kept.insert(".theirs.quillax-bbbbcccc.tmp");
    }
    const int holder = open(locked.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(flock(holder, LOCK_EX), 0) << "a writer still at work";

    ASSERT_TRUE(WriteWholeFile(Folder.Path("ship.lin"), Bytes("saved")).Ok());
    close(holder);
    EXPECT_EQ(FolderNames(Folder.Root().string()), kept);
    EXPECT_EQ(Contents(copy), "part of a save") << "the whole copy of a rewrite is never removed";
    EXPECT_EQ(access(old.c_str(), F_OK), -1);
    EXPECT_EQ(Contents(fresh), "part of a save");
}

} // namespace quillax
