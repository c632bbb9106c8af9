#include "platform/InputFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace quillax {

namespace {
// 0 for a regular file, else why it cannot be read as one.
int RegularOrWhyNot(int statResult, const struct stat& status) {
    if (statResult != 0) {
        return errno;
    }
    return S_ISREG(status.st_mode) ? 0 : InputFile::NotRegular;
}
} // namespace

InputFile::InputFile(const std::string& path) {
    struct stat status {};
    Failure = RegularOrWhyNot(stat(path.c_str(), &status), status);
    if (Failure != 0) {
        return;
    }
    // Should the name become a FIFO or a device after the look above, the open still returns at once.
    FileDescriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    Failure = file.IsOpen() ? RegularOrWhyNot(fstat(file.Get(), &status), status) : errno;
    if (Failure == 0) {
        File = std::move(file);
    }
}

std::string InputFile::Reason() const {
    return Failure == NotRegular ? "not a regular file" : SystemReason(Failure);
}

} // namespace quillax
