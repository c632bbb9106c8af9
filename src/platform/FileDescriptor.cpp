#include "platform/FileDescriptor.h"

#include <cerrno>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace quillax {

FileDescriptor::FileDescriptor(FileDescriptor&& other) noexcept : Fd(std::exchange(other.Fd, -1)) {}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
        Close();
        Fd = std::exchange(other.Fd, -1);
    }
    return *this;
}

FileDescriptor::~FileDescriptor() {
    Close();
}

bool FileDescriptor::Close() {
    // Linux frees the descriptor even when close fails, so it is never retried.
    return Fd < 0 || close(std::exchange(Fd, -1)) == 0;
}

int64_t FileDescriptor::Length() const {
    struct stat status {};
    return fstat(Fd, &status) == 0 ? status.st_size : -1;
}

int64_t FileDescriptor::ReadAt(int64_t offset, void* target, int64_t count) const {
    auto* to = static_cast<char*>(target);
    int64_t done = 0;
    while (done < count) {
        const ssize_t got = pread(Fd, to + done, static_cast<size_t>(count - done), offset + done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return -1;
        }
        if (got == 0) {
            break;
        }
        done += got;
    }
    return done;
}

bool FileDescriptor::WriteAll(const void* data, int64_t count) const {
    const auto* from = static_cast<const char*>(data);
    while (count > 0) {
        const ssize_t written = write(Fd, from, static_cast<size_t>(count));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written < 0) {
            return false;
        }
        from += written;
        count -= written;
    }
    return true;
}

std::string SystemReason(int error) {
    return std::system_category().message(error);
}

} // namespace quillax
