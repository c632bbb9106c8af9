#include "fileio/OutputFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace quillax {

namespace {
constexpr size_t HeldBytes = 65536;
// What Error() gives when no program opened a FIFO for reading in time.
constexpr int NoReader = -2;
constexpr std::chrono::milliseconds ReaderPoll{20};

// So the rename itself outlives a crash; a folder that cannot be synced loses nothing else.
void SyncFolder(const std::string& folder) {
    const FileDescriptor handle(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (handle.IsOpen()) {
        fsync(handle.Get());
    }
}

bool IsFifo(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISFIFO(status.st_mode);
}

// Opening a FIFO to write fails at once while no program has it open to read; it is tried again
// until the wait is over. Opening without blocking also keeps a device from holding the open.
FileDescriptor OpenWaitingForReader(const std::string& path, std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    const bool fifo = IsFifo(path);
    for (;;) {
        FileDescriptor file(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        if (file.IsOpen() || errno != ENXIO || !fifo || std::chrono::steady_clock::now() >= deadline) {
            return file;
        }
        std::this_thread::sleep_for(ReaderPoll);
    }
}

bool IsFolder(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::string SecondsText(std::chrono::milliseconds wait) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(wait.count()) / 1000);
    return std::string(text) + (wait.count() == 1000 ? " second" : " seconds");
}
} // namespace

OutputFile::OutputFile(std::string path) : Path(std::move(path)) {}

OutputFile::OutputFile(int descriptor) : Given(descriptor) {}

OutputFile::~OutputFile() {
    Discard();
}

bool OutputFile::open(OpenMode mode) {
    if (isOpen() || (mode & ReadOnly) != 0 || (mode & WriteOnly) == 0) {
        return Fail(EINVAL);
    }
    bool opened = false;
    if (Given >= 0) {
        Planned.Way = OutputWay::Direct;
        opened = OpenGiven(Given);
    } else {
        Planned = PlanOutput(Path);
        if (Planned.Error != 0) {
            opened = Fail(Planned.Error);
        } else if (Planned.Way == OutputWay::Direct) {
            opened = Planned.Descriptor >= 0 ? OpenGiven(Planned.Descriptor) : OpenDirect();
        } else {
            opened = OpenTemporary();
        }
    }
    return opened && QIODevice::open(WriteOnly);
}

bool OutputFile::OpenTemporary() {
    const std::string folder = FolderOf(Planned.Target);
    RemoveLeftovers(folder);
    const mode_t mode = Planned.Way == OutputWay::NewFile ? 0666 : 0600;
    File = FileDescriptor(::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, mode));
    Unnamed = File.IsOpen();
    if (!Unnamed && (errno == EOPNOTSUPP || errno == EISDIR)) {
        // A file system without unnamed files.
        do {
            TemporaryName = TemporaryNameFor(Planned.Target, TemporaryKind::Replacement);
            File = FileDescriptor(
                ::open(TemporaryName.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
        } while (!File.IsOpen() && errno == EEXIST);
    }
    if (!File.IsOpen()) {
        const int error = errno;
        TemporaryName.clear();
        return Fail(error);
    }
    LockTemporary(File);
    return true;
}

bool OutputFile::OpenDirect() {
    File = OpenWaitingForReader(Planned.Target, ReaderWait);
    struct stat status {};
    if (!File.IsOpen()) {
        return Fail(errno == ENXIO && IsFifo(Planned.Target) ? NoReader : errno);
    }
    const int flags = fcntl(File.Get(), F_GETFL);
    if (fstat(File.Get(), &status) != 0 || flags < 0 ||
        fcntl(File.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
        return Fail(errno);
    }
    // The name may have become a regular file since it was looked at: never write into one directly.
    Direct = S_ISFIFO(status.st_mode) || S_ISCHR(status.st_mode);
    return Direct || Fail(NotWritableKind);
}

// A copy of the descriptor, so that closing it at the end leaves the caller's open.
bool OutputFile::OpenGiven(int descriptor) {
    File = FileDescriptor(fcntl(descriptor, F_DUPFD_CLOEXEC, 0));
    Direct = File.IsOpen();
    return Direct || Fail(errno);
}

qint64 OutputFile::readData(char*, qint64) {
    return -1;
}

qint64 OutputFile::writeData(const char* data, qint64 size) {
    if (Failure != 0) {
        return -1;
    }
    Held.insert(Held.end(), data, data + size);
    if (Held.size() >= HeldBytes && !WriteHeld()) {
        return -1;
    }
    return size;
}

bool OutputFile::WriteHeld() {
    if (!File.WriteAll(Held.data(), static_cast<int64_t>(Held.size()))) {
        return Fail(errno);
    }
    Written += static_cast<int64_t>(Held.size());
    Held.clear();
    return true;
}

bool OutputFile::Commit() {
    if (!isOpen() || Failure != 0) {
        return Fail(EBADF);
    }
    const bool done = WriteHeld() && (Direct ? File.Close() || Fail(errno) : Finish());
    QIODevice::close();
    return done;
}

bool OutputFile::Finish() {
    if (fsync(File.Get()) != 0) {
        return Fail(errno);
    }
    if (Planned.Way == OutputWay::Replace) {
        const int kept = KeepOwnerAndMode();
        if (kept == EPERM) {
            Planned.Way = OutputWay::InPlace;
            Planned.ForeignOwner = true;
        } else if (kept != 0) {
            return Fail(kept);
        }
    }
    return Planned.Way == OutputWay::InPlace ? CopyInPlace() : Rename();
}

// The owner and group first: a change of owner clears the set-user-ID bits the permissions then set.
// EPERM when this user may not give them.
int OutputFile::KeepOwnerAndMode() {
    struct stat status {};
    if (fstat(File.Get(), &status) != 0) {
        return errno;
    }
    if ((status.st_uid != Planned.Owner || status.st_gid != Planned.Group) &&
        fchown(File.Get(), Planned.Owner, Planned.Group) != 0) {
        return errno;
    }
    return fchmod(File.Get(), Planned.Mode) == 0 ? 0 : errno;
}

bool OutputFile::Rename() {
    if (Unnamed && !NameTemporary(TemporaryKind::Replacement)) {
        return false;
    }
    // The lock stays with a second descriptor until the rename: closing the file gives up its lock.
    const FileDescriptor locked(fcntl(File.Get(), F_DUPFD_CLOEXEC, 0));
    if (!File.Close() || rename(TemporaryName.c_str(), Planned.Target.c_str()) != 0) {
        return Fail(errno);
    }
    TemporaryName.clear();
    SyncFolder(FolderOf(Planned.Target));
    return true;
}

// The whole new content is named beside the target before the target is touched, so that even a
// kill during the copy leaves it whole somewhere.
bool OutputFile::CopyInPlace() {
    if (Unnamed) {
        if (!NameTemporary(TemporaryKind::InPlaceCopy)) {
            return false;
        }
    } else {
        const std::string copy = TemporaryNameFor(Planned.Target, TemporaryKind::InPlaceCopy);
        if (rename(TemporaryName.c_str(), copy.c_str()) != 0) {
            return Fail(errno);
        }
        TemporaryName = copy;
    }
    SyncFolder(FolderOf(Planned.Target));
    const FileDescriptor target(
        ::open(Planned.Target.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat status {};
    if (!target.IsOpen() || fstat(target.Get(), &status) != 0) {
        return Fail(errno);
    }
    if (!S_ISREG(status.st_mode)) {
        return Fail(NotWritableKind);
    }
    // Room for the new content first, where the file system can promise it: a full disk is then
    // found before a byte of the file changes.
    if (Written > status.st_size && fallocate(target.Get(), FALLOC_FL_KEEP_SIZE, 0, Written) != 0 &&
        errno != EOPNOTSUPP) {
        return Fail(errno);
    }
    // From here on a failure leaves the file in part: the copy is kept for the user.
    KeptCopy = std::exchange(TemporaryName, std::string());
    if (!WriteCopyInto(target)) {
        return false;
    }
    unlink(KeptCopy.c_str());
    KeptCopy.clear();
    return true;
}

bool OutputFile::WriteCopyInto(const FileDescriptor& target) {
    char buffer[HeldBytes];
    for (int64_t at = 0; at < Written;) {
        const int64_t got = File.ReadAt(at, buffer, std::min<int64_t>(sizeof buffer, Written - at));
        if (got <= 0) {
            return Fail(got < 0 ? errno : EIO);
        }
        if (lseek(target.Get(), at, SEEK_SET) != at || !target.WriteAll(buffer, got)) {
            return Fail(errno);
        }
        at += got;
    }
    if (ftruncate(target.Get(), Written) != 0 || fsync(target.Get()) != 0) {
        return Fail(errno);
    }
    return true;
}

// The unnamed file gets a name only for as long as it takes to put it in place. Linking a
// descriptor needs a privilege the link through /proc does not.
bool OutputFile::NameTemporary(TemporaryKind kind) {
    const std::string self = "/proc/self/fd/" + std::to_string(File.Get());
    for (;;) {
        TemporaryName = TemporaryNameFor(Planned.Target, kind);
        if (linkat(File.Get(), "", AT_FDCWD, TemporaryName.c_str(), AT_EMPTY_PATH) == 0 ||
            linkat(AT_FDCWD, self.c_str(), AT_FDCWD, TemporaryName.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            return true;
        }
        if (errno != EEXIST) {
            const int error = errno;
            TemporaryName.clear();
            return Fail(error);
        }
    }
}

bool OutputFile::Fail(int error) {
    if (Failure == 0) {
        Failure = error;
    }
    Discard();
    return false;
}

void OutputFile::Discard() {
    if (!TemporaryName.empty()) {
        unlink(TemporaryName.c_str());
        TemporaryName.clear();
    }
    File.Close();
    Held.clear();
}

// A folder that is there but has no new name be made in it (/proc, /sys) answers "No such file or
// directory", which names the wrong cause.
std::string OutputFile::Reason() const {
    const std::string folder = FolderOf(Planned.Target);
    const std::string reason =
        Failure == NotWritableKind ? "not a regular file, FIFO or character device"
        : Failure == NoReader ? "no program opened the FIFO for reading within " + SecondsText(ReaderWait)
        : Failure == ENOENT && Planned.Way == OutputWay::NewFile && IsFolder(folder)
            ? "the folder " + folder + " takes no new files"
            : SystemReason(Failure);
    return KeptCopy.empty() ? reason
                            : reason + "; written in part, its whole new content is kept in " + KeptCopy;
}

WriteOutcome WriteWholeFile(const std::string& path, const std::function<std::string(QIODevice&)>& body) {
    OutputFile file(path);
    return WriteWholeFile(file, body);
}

WriteOutcome WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    return WriteWholeFile(path, [&bytes](QIODevice& file) {
        const auto size = static_cast<qint64>(bytes.size());
        return file.write(reinterpret_cast<const char*>(bytes.data()), size) == size
                   ? std::string()
                   : file.errorString().toStdString();
    });
}

WriteOutcome WriteWholeFile(OutputFile& file, const std::function<std::string(QIODevice&)>& body) {
    if (!file.open(QIODevice::WriteOnly)) {
        return {file.Error(), file.Reason()};
    }
    const std::string failed = body(file);
    if (file.Error() == 0 && failed.empty() && file.Commit()) {
        return {};
    }
    if (file.Error() != 0) {
        return {file.Error(), file.Reason()};
    }
    return {0, failed};
}

} // namespace quillax
