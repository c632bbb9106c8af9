#include "fileio/TemporaryFiles.h"

#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillax {

namespace {
constexpr const char* Marker = ".quillax-";
constexpr size_t HexDigits = 8;
constexpr const char* ReplacementEnd = ".tmp";
constexpr const char* InPlaceCopyEnd = ".new";
// A base name of up to this many bytes keeps the whole name within the system's 255.
constexpr size_t MostBaseBytes = 200;

bool IsLowerHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

// The open leftover at name, when it is one this user may remove; its lock is then held.
FileDescriptor RemovableLeftover(int folder, const char* name) {
    FileDescriptor file(openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat status {};
    if (!file.IsOpen() || fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        status.st_uid != geteuid() || status.st_nlink != 1 ||
        status.st_mtime > std::time(nullptr) - LeftoverAgeSeconds ||
        flock(file.Get(), LOCK_EX | LOCK_NB) != 0) {
        return FileDescriptor();
    }
    // The name must still be the file that was checked and locked.
    struct stat named {};
    if (fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) != 0 || named.st_dev != status.st_dev ||
        named.st_ino != status.st_ino) {
        return FileDescriptor();
    }
    return file;
}
} // namespace

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string TemporaryNameFor(const std::string& target, TemporaryKind kind) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, "%s%08x%s", Marker, QRandomGenerator::system()->generate(),
                  kind == TemporaryKind::Replacement ? ReplacementEnd : InPlaceCopyEnd);
    const size_t slash = target.rfind('/');
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    return FolderOf(target) + "/." + base.substr(0, MostBaseBytes) + suffix;
}

bool IsReplacementName(const std::string& name) {
    const std::string end = ReplacementEnd;
    const size_t tail = std::string(Marker).size() + HexDigits + end.size();
    if (name.size() <= tail + 1 || name[0] != '.' || !name.ends_with(end)) {
        return false;
    }
    const size_t marker = name.size() - tail;
    if (name.compare(marker, std::string(Marker).size(), Marker) != 0) {
        return false;
    }
    for (size_t k = marker + std::string(Marker).size(); k < name.size() - end.size(); ++k) {
        if (!IsLowerHex(name[k])) {
            return false;
        }
    }
    return true;
}

void LockTemporary(const FileDescriptor& file) {
    flock(file.Get(), LOCK_EX | LOCK_NB);
}

void RemoveLeftovers(const std::string& folder) {
    DIR* listing = opendir(folder.c_str());
    if (listing == nullptr) {
        return;
    }
    const int handle = dirfd(listing);
    while (const dirent* entry = readdir(listing)) {
        if (!IsReplacementName(entry->d_name)) {
            continue;
        }
        // Removed while its lock is held, so no other cleaner takes it for its own.
        const FileDescriptor leftover = RemovableLeftover(handle, entry->d_name);
        if (leftover.IsOpen()) {
            unlinkat(handle, entry->d_name, 0);
        }
    }
    closedir(listing);
}

} // namespace quillax
