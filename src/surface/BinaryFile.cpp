#include "surface/BinaryFile.h"

#include "platform/RuntimeError.h"

#include <cerrno>

namespace quillax {

BinaryFile::BinaryFile(const std::string& path) : Path(path), File(path) {}

QByteArray BinaryFile::ReadUpTo(int64_t offset, int64_t count) {
    if (!File.IsOpen()) {
        return {};
    }
    QByteArray bytes(count, Qt::Uninitialized);
    const int64_t got = File.Descriptor().ReadAt(offset, bytes.data(), count);
    if (got < 0) {
        RaiseError(ErrNo::PathFileAccessError, Path + " cannot be read: " + SystemReason(errno));
    }
    bytes.truncate(got);
    return bytes;
}

QByteArray BinaryFile::Read(int64_t offset, int64_t count) {
    QByteArray bytes = ReadUpTo(offset, count);
    if (bytes.size() != count) {
        RaiseError(ErrNo::InputPastEndOfFile);
    }
    return bytes;
}

} // namespace quillax
