#include "document/FileStamp.h"

#include "platform/InputFile.h"

#include <QHashFunctions>

#include <sys/stat.h>

#include <cerrno>
#include <vector>

namespace quillax {

namespace {
constexpr int64_t HashBlock = 1 << 20;

// Read once more right after the open, from the system's cache: a fast hash of the bytes, so that a
// file written again with the same bytes (a touch, a copy of itself) is no change.
std::optional<uint64_t> HashOf(const FileDescriptor& file, int64_t size) {
    std::vector<char> block(static_cast<size_t>(std::min(size, HashBlock)));
    uint64_t hash = 0;
    for (int64_t at = 0; at < size; at += HashBlock) {
        const int64_t wanted = std::min(HashBlock, size - at);
        if (file.ReadAt(at, block.data(), wanted) != wanted) {
            return std::nullopt;
        }
        hash = qHashMulti(0, hash, qHashBits(block.data(), static_cast<size_t>(wanted), 0));
    }
    return hash;
}

int64_t ModifiedNanoseconds(const struct stat& status) {
    return static_cast<int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec;
}
} // namespace

std::optional<FileStamp> StampOfFile(const std::string& path) {
    const InputFile input(path);
    struct stat status {};
    if (!input.IsOpen() || fstat(input.Descriptor().Get(), &status) != 0) {
        return std::nullopt;
    }
    const std::optional<uint64_t> hash = HashOf(input.Descriptor(), status.st_size);
    if (!hash) {
        return std::nullopt;
    }
    return FileStamp{static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino),
                     status.st_size, ModifiedNanoseconds(status), *hash};
}

DiskChange CompareWithDisk(const std::string& path, const FileStamp& known) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        return errno == ENOENT || errno == ENOTDIR ? DiskChange::Missing : DiskChange::Changed;
    }
    if (static_cast<uint64_t>(status.st_dev) == known.Device &&
        static_cast<uint64_t>(status.st_ino) == known.Inode && status.st_size == known.Size &&
        ModifiedNanoseconds(status) == known.ModifiedNanoseconds) {
        return DiskChange::None;
    }
    if (status.st_size != known.Size) {
        return DiskChange::Changed;
    }
    const std::optional<FileStamp> now = StampOfFile(path);
    return now && now->Hash == known.Hash ? DiskChange::None : DiskChange::Changed;
}

} // namespace quillax
