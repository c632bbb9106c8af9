#include "fileio/OutputFile.h"

#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillax {

namespace {
constexpr size_t HeldBytes = 65536;
// As many links as the system itself follows in one name.
constexpr int MostLinks = 40;
// What Error() gives for a block device or socket.
constexpr int NotWritableKind = -1;

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A hidden name beside target that no one else uses: the base is cut so the name stays legal.
std::string TemporaryNameFor(const std::string& target) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%08x", QRandomGenerator::system()->generate());
    const size_t slash = target.rfind('/');
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    return FolderOf(target) + "/." + base.substr(0, 200) + suffix;
}

// The name a chain of symbolic links leads to, or path itself when it is no link; false with errno.
bool FollowLinks(std::string path, std::string& target) {
    for (int depth = 0; depth <= MostLinks; ++depth) {
        struct stat status {};
        if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            target = path;
            return true;
        }
        char link[PATH_MAX];
        const ssize_t length = readlink(path.c_str(), link, sizeof link);
        if (length < 0 || length == static_cast<ssize_t>(sizeof link)) {
            errno = length < 0 ? errno : ENAMETOOLONG;
            return false;
        }
        const std::string next(link, static_cast<size_t>(length));
        path = next.starts_with('/') ? next : FolderOf(path) + "/" + next;
    }
    errno = ELOOP;
    return false;
}

// So the rename itself outlives a crash; a folder that cannot be synced loses nothing else.
void SyncFolder(const std::string& folder) {
    const FileDescriptor handle(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (handle.IsOpen()) {
        fsync(handle.Get());
    }
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
    if (Given >= 0) {
        return OpenGiven() && QIODevice::open(WriteOnly);
    }
    struct stat status {};
    // The system follows every link here, those of /proc too, so /dev/stdout reaches its pipe or terminal.
    if (stat(Path.c_str(), &status) == 0 && (S_ISFIFO(status.st_mode) || S_ISCHR(status.st_mode))) {
        return OpenDirect() && QIODevice::open(WriteOnly);
    }
    if (!FollowLinks(Path, Target)) {
        return Fail(errno);
    }
    bool opened = false;
    if (stat(Target.c_str(), &status) != 0) {
        opened = errno == ENOENT ? OpenReplacement(std::nullopt) : Fail(errno);
    } else if (S_ISREG(status.st_mode)) {
        // A file its owner keeps from writes is not replaced either, as writing into it would fail.
        opened = faccessat(AT_FDCWD, Target.c_str(), W_OK, AT_EACCESS) == 0
                     ? OpenReplacement(status.st_mode & 07777)
                     : Fail(errno);
    } else {
        opened = Fail(S_ISDIR(status.st_mode) ? EISDIR : NotWritableKind);
    }
    return opened && QIODevice::open(WriteOnly);
}

bool OutputFile::OpenReplacement(std::optional<mode_t> existingMode) {
    const mode_t mode = existingMode ? 0600 : 0666;
    File = FileDescriptor(::open(FolderOf(Target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
    Unnamed = File.IsOpen();
    if (!Unnamed && (errno == EOPNOTSUPP || errno == EISDIR)) {
        // A file system without unnamed files.
        do {
            TemporaryName = TemporaryNameFor(Target);
            File = FileDescriptor(
                ::open(TemporaryName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
        } while (!File.IsOpen() && errno == EEXIST);
    }
    if (!File.IsOpen()) {
        const int error = errno;
        TemporaryName.clear();
        return Fail(error);
    }
    if (existingMode && fchmod(File.Get(), *existingMode) != 0) {
        return Fail(errno);
    }
    return true;
}

bool OutputFile::OpenDirect() {
    File = FileDescriptor(::open(Path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
    struct stat status {};
    if (!File.IsOpen() || fstat(File.Get(), &status) != 0) {
        return Fail(errno);
    }
    // The name may have become a regular file since it was looked at: never write into one directly.
    Direct = S_ISFIFO(status.st_mode) || S_ISCHR(status.st_mode);
    return Direct || Fail(NotWritableKind);
}

// A copy of the descriptor, so that closing it at the end leaves the caller's open.
bool OutputFile::OpenGiven() {
    File = FileDescriptor(fcntl(Given, F_DUPFD_CLOEXEC, 0));
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
    Held.clear();
    return true;
}

bool OutputFile::Commit() {
    if (!isOpen() || Failure != 0) {
        return Fail(EBADF);
    }
    const bool done = WriteHeld() && (Direct ? File.Close() || Fail(errno) : PutInPlace());
    QIODevice::close();
    return done;
}

bool OutputFile::PutInPlace() {
    if (fsync(File.Get()) != 0) {
        return Fail(errno);
    }
    if (Unnamed && !NameUnnamed()) {
        return false;
    }
    if (!File.Close() || rename(TemporaryName.c_str(), Target.c_str()) != 0) {
        return Fail(errno);
    }
    TemporaryName.clear();
    SyncFolder(FolderOf(Target));
    return true;
}

// The unnamed file gets a name only for as long as it takes to rename it over the target. Linking a
// descriptor needs a privilege the link through /proc does not.
bool OutputFile::NameUnnamed() {
    const std::string self = "/proc/self/fd/" + std::to_string(File.Get());
    for (;;) {
        TemporaryName = TemporaryNameFor(Target);
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

std::string OutputFile::Reason() const {
    return Failure == NotWritableKind ? "not a regular file, FIFO or character device"
                                      : SystemReason(Failure);
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
