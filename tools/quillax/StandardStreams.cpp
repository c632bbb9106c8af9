#include "quillax/StandardStreams.h"

#include "platform/FileDescriptor.h"
#include "quillax/CliText.h"

#include <cerrno>
#include <poll.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillax {

namespace {
bool IsRegularFromItsStart(int descriptor) {
    struct stat status {};
    return fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) && lseek(descriptor, 0, SEEK_CUR) == 0;
}

// Up to size bytes, waiting for them even when the descriptor was left non-blocking.
ssize_t ReadWaiting(int descriptor, char* buffer, size_t size) {
    for (;;) {
        const ssize_t got = read(descriptor, buffer, size);
        if (got >= 0 || (errno != EINTR && errno != EAGAIN)) {
            return got;
        }
        pollfd ready{descriptor, POLLIN, 0};
        poll(&ready, 1, -1);
    }
}

// Reads standard input to its end into copy; empty text or why not.
std::string CopyStandardInput(const FileDescriptor& copy) {
    char buffer[65536];
    int64_t total = 0;
    for (ssize_t got; (got = ReadWaiting(STDIN_FILENO, buffer, sizeof buffer)) != 0;) {
        if (got < 0) {
            return "cannot read it: " + SystemReason(errno);
        }
        total += got;
        if (total > MaxStandardInputBytes) {
            return "more than " + std::to_string(MaxStandardInputBytes >> 30) +
                   " GiB; give the file by its name";
        }
        if (!copy.WriteAll(buffer, got)) {
            return "cannot hold it: " + SystemReason(errno);
        }
    }
    return {};
}

// Makes descriptor 0 a regular file holding all of standard input, from its start.
std::string HoldStandardInput() {
    if (IsRegularFromItsStart(STDIN_FILENO)) {
        return {};
    }
    const FileDescriptor copy(memfd_create("quillax-standard-input", MFD_CLOEXEC));
    if (!copy.IsOpen()) {
        return "cannot hold it: " + SystemReason(errno);
    }
    std::string error = CopyStandardInput(copy);
    if (error.empty() && (lseek(copy.Get(), 0, SEEK_SET) != 0 || dup2(copy.Get(), STDIN_FILENO) < 0)) {
        error = "cannot hold it: " + SystemReason(errno);
    }
    return error;
}
} // namespace

bool IsStandardStream(const std::string& name) {
    return name == "-";
}

std::string ShownInput(const std::string& name) {
    return IsStandardStream(name) ? "standard input" : EscapedText(name);
}

std::string ShownOutput(const std::string& name) {
    return IsStandardStream(name) ? "standard output" : EscapedText(name);
}

InputPath OpenableInput(const std::string& name) {
    if (!IsStandardStream(name)) {
        return {name, {}};
    }
    const std::string error = HoldStandardInput();
    return error.empty() ? InputPath{"/dev/stdin", {}} : InputPath{{}, error};
}

} // namespace quillax
