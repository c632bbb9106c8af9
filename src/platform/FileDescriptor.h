#pragma once

#include <cstdint>
#include <string>

namespace quillax {

// An open file of the system, closed on every path.
class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : Fd(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept;
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    ~FileDescriptor();
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return Fd; }
    bool IsOpen() const { return Fd >= 0; }
    // Closes now: false, with errno, when the system reports a failure (a write it could not finish).
    bool Close();
    // The size in bytes; -1, with errno, on failure.
    int64_t Length() const;
    // Up to count bytes from offset, fewer only where the file ends; -1, with errno, on failure.
    int64_t ReadAt(int64_t offset, void* target, int64_t count) const;
    // Every byte at the current position, through short writes and interruptions; false, with errno.
    bool WriteAll(const void* data, int64_t count) const;

private:
    int Fd = -1;
};

// The system's description of an error number ("No space left on device").
std::string SystemReason(int error);

} // namespace quillax
