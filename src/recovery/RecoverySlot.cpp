#include "recovery/RecoverySlot.h"

#include "recovery/RecoveryFolder.h"

#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace quillax {

namespace {
constexpr int LockFlags = O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW;

// Locked without waiting, and still the file at its name: a holder that gave the name up removed
// the name before letting the lock go.
bool LockedInPlace(const FileDescriptor& lock, const std::string& path) {
    if (!lock.IsOpen() || flock(lock.Get(), LOCK_EX | LOCK_NB) != 0) {
        return false;
    }
    struct stat held {};
    struct stat named {};
    return fstat(lock.Get(), &held) == 0 && lstat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
           held.st_ino == named.st_ino;
}

std::string NewName() {
    char name[48];
    std::snprintf(name, sizeof name, "%d-%016llx", static_cast<int>(getpid()),
                  static_cast<unsigned long long>(QRandomGenerator::system()->generate64()));
    return name;
}
} // namespace

RecoverySlot::RecoverySlot(std::string folder, std::string name, FileDescriptor lock)
    : Folder(std::move(folder)), SlotName(std::move(name)), Lock(std::move(lock)) {}

std::shared_ptr<RecoverySlot> RecoverySlot::Claim(const std::string& folder) {
    if (!MakeRecoveryFolder(folder)) {
        return nullptr;
    }
    // Another editor looking for leftovers may lock a new name between its creation and our lock, and
    // clear it away: then another name is tried.
    for (int attempt = 0; attempt < 8; ++attempt) {
        const std::string name = NewName();
        const std::string path = folder + "/" + name + ".lock";
        FileDescriptor lock(open(path.c_str(), LockFlags | O_EXCL, 0600));
        if (!lock.IsOpen() && errno != EEXIST) {
            return nullptr;
        }
        if (LockedInPlace(lock, path)) {
            return std::shared_ptr<RecoverySlot>(new RecoverySlot(folder, name, std::move(lock)));
        }
    }
    return nullptr;
}

std::shared_ptr<RecoverySlot> RecoverySlot::Take(const std::string& folder, const std::string& name) {
    const std::string path = folder + "/" + name + ".lock";
    FileDescriptor lock(open(path.c_str(), LockFlags, 0600));
    if (!LockedInPlace(lock, path)) {
        return nullptr;
    }
    return std::shared_ptr<RecoverySlot>(new RecoverySlot(folder, name, std::move(lock)));
}

void RecoverySlot::RemoveCopy() const {
    unlink(CopyPath().c_str());
    unlink(AboutPath().c_str());
}

void RecoverySlot::RemoveAll() const {
    RemoveCopy();
    unlink(LockPath().c_str());
}

} // namespace quillax
