#include "surface/TempBitmapFile.h"

#include "platform/FileDescriptor.h"
#include "platform/RuntimeError.h"
#include "surface/BitmapCodec.h"
#include "surface/DibFile.h"

#include <QByteArray>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace quillax {

namespace {
constexpr auto LockWait = std::chrono::seconds(2);

std::string OverrideBase;

// A private folder this program made because the usual one could not be trusted; it is empty between
// round trips, so it goes with the program.
struct FreshFolder {
    ~FreshFolder() { Forget(); }
    void Forget() {
        if (!Path.empty()) {
            rmdir(Path.c_str());
            Path.clear();
        }
    }
    std::string Path;
} Fresh;

std::string FolderBase() {
    if (!OverrideBase.empty()) {
        return OverrideBase;
    }
    for (const char* name : {"XDG_RUNTIME_DIR", "TMPDIR"}) {
        const char* folder = std::getenv(name);
        if (folder != nullptr && folder[0] == '/') {
            return folder;
        }
    }
    return "/tmp";
}

[[noreturn]] void RaiseAccess(const std::string& path, const std::string& reason) {
    RaiseError(ErrNo::PathFileAccessError, path + " " + reason);
}

bool IsPrivateFolder(const std::string& folder) {
    struct stat status {};
    return lstat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == geteuid() &&
           (status.st_mode & 077) == 0;
}

std::string PrivateFolder() {
    const std::string usual = FolderBase() + "/quillax-" + std::to_string(geteuid());
    mkdir(usual.c_str(), 0700);
    if (IsPrivateFolder(usual)) {
        return usual;
    }
    if (!Fresh.Path.starts_with(usual + "-") || !IsPrivateFolder(Fresh.Path)) {
        Fresh.Forget();
        std::string pattern = usual + "-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            RaiseAccess(pattern, "cannot be made: " + SystemReason(errno));
        }
        Fresh.Path = pattern;
    }
    return Fresh.Path;
}

bool SameFile(const struct stat& one, const struct stat& other) {
    return one.st_dev == other.st_dev && one.st_ino == other.st_ino;
}

// The reload file, open and held alone for one round trip, removed when it goes.
class HeldReloadFile {
public:
    explicit HeldReloadFile(const std::string& path) : Path(path) {
        const auto deadline = std::chrono::steady_clock::now() + LockWait;
        struct stat status {};
        do {
            File = FileDescriptor(
                open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600));
            if (!File.IsOpen()) {
                RaiseAccess(path, "cannot be opened: " + SystemReason(errno));
            }
            LockBefore(deadline);
            fstat(File.Get(), &status);
            // No link left: the program that held it before has removed it, so a new one is made.
        } while (status.st_nlink == 0);
        if (!S_ISREG(status.st_mode) || status.st_uid != geteuid() || status.st_nlink != 1) {
            RaiseAccess(path, "is not a regular file of this user with one link");
        }
        if (ftruncate(File.Get(), 0) != 0) {
            RaiseAccess(path, "cannot be written: " + SystemReason(errno));
        }
    }
    ~HeldReloadFile() {
        struct stat mine {
        }, named{};
        if (fstat(File.Get(), &mine) == 0 && lstat(Path.c_str(), &named) == 0 && SameFile(mine, named)) {
            unlink(Path.c_str());
        }
    }
    HeldReloadFile(const HeldReloadFile&) = delete;
    HeldReloadFile& operator=(const HeldReloadFile&) = delete;

    const FileDescriptor& Descriptor() const { return File; }

private:
    // Every program of this user shares the file. A file system without locks still gets the round
    // trip, as it did before there were two programs.
    void LockBefore(std::chrono::steady_clock::time_point deadline) {
        while (flock(File.Get(), LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK && errno != EINTR) {
                return;
            }
            if (std::chrono::steady_clock::now() >= deadline) {
                RaiseAccess(Path, "is in use by another program");
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    std::string Path;
    FileDescriptor File;
};
} // namespace

std::string ReloadFilePath() {
    return PrivateFolder() + "/DCReload.bmp";
}

void SetReloadFolderBase(const std::string& base) {
    OverrideBase = base;
}

PictureRef RoundTripFileNoFollow(const std::string& path, const PictureRef& picture) {
    const HeldReloadFile file(path);
    WriteDibFile(picture, file.Descriptor(), path);
    QByteArray headers(BitmapCodec::HeaderBytes, Qt::Uninitialized);
    if (file.Descriptor().ReadAt(0, headers.data(), headers.size()) != headers.size()) {
        RaiseAccess(path, "cannot be read back");
    }
    BitmapFileHeader header;
    BitmapInfoHeader info;
    BitmapCodec::ParseHeaders(headers, header, info);
    const BitmapCodec::PixelLayout layout =
        BitmapCodec::CheckLayout(header, info, file.Descriptor().Length());
    return ReadDibFile(file.Descriptor(), info, layout, path);
}

} // namespace quillax
