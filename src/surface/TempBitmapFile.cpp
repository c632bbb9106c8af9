#include "surface/TempBitmapFile.h"

#include "platform/RuntimeError.h"

#include <QDir>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace quillax {

namespace {
std::string OverrideBase;

std::string FolderBase() {
    if (!OverrideBase.empty()) {
        return OverrideBase;
    }
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/') {
        return runtime;
    }
    return QDir::tempPath().toStdString();
}

[[noreturn]] void RaiseAccess(const std::string& path, const std::string& reason) {
    RaiseError(ErrNo::PathFileAccessError, path + " " + reason);
}

std::string PrivateFolder() {
    const std::string folder = FolderBase() + "/quillax-" + std::to_string(geteuid());
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        RaiseAccess(folder, "cannot be made");
    }
    struct stat status {};
    if (lstat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) || status.st_uid != geteuid() ||
        (status.st_mode & 077) != 0) {
        RaiseAccess(folder, "is not a private folder");
    }
    return folder;
}

// Closes the descriptor on every path.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : Fd(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept : Fd(std::exchange(other.Fd, -1)) {}
    ~FileDescriptor() {
        if (Fd >= 0) {
            close(Fd);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return Fd; }

private:
    int Fd;
};

FileDescriptor OpenRegularFile(const std::string& path, int flags) {
    FileDescriptor file(open(path.c_str(), flags | O_NOFOLLOW | O_CLOEXEC, 0600));
    struct stat status {};
    if (file.Get() < 0 || fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        RaiseAccess(path, "cannot be opened");
    }
    return file;
}
} // namespace

std::string ReloadFilePath() {
    return PrivateFolder() + "/DCReload.bmp";
}

void SetReloadFolderBase(const std::string& base) {
    OverrideBase = base;
}

namespace {
void WriteAll(const FileDescriptor& file, const std::string& path, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = write(file.Get(), data, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            RaiseAccess(path, "cannot be written");
        }
        data += written;
        left -= written;
    }
}

QByteArray ReadAll(const FileDescriptor& file, const std::string& path) {
    QByteArray bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(file.Get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            RaiseAccess(path, "cannot be read");
        }
        if (got == 0) {
            return bytes;
        }
        bytes.append(buffer, got);
    }
}

// Every program of this user shares the file, so a round trip holds it alone. A file system without
// locks still gets the round trip, as it did before there were two programs.
void LockAlone(const FileDescriptor& file) {
    while (flock(file.Get(), LOCK_EX) != 0 && errno == EINTR) {
    }
}
} // namespace

QByteArray RoundTripFileNoFollow(const std::string& path, const QByteArray& bytes) {
    const FileDescriptor file = OpenRegularFile(path, O_RDWR | O_CREAT);
    LockAlone(file);
    if (ftruncate(file.Get(), 0) != 0) {
        RaiseAccess(path, "cannot be written");
    }
    WriteAll(file, path, bytes);
    if (lseek(file.Get(), 0, SEEK_SET) != 0) {
        RaiseAccess(path, "cannot be read");
    }
    return ReadAll(file, path);
}

} // namespace quillax
