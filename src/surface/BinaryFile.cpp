#include "surface/BinaryFile.h"

#include "platform/RuntimeError.h"

namespace quillax {

BinaryFile::BinaryFile(const std::string& path) : File(QString::fromStdString(path)) {
    File.open(QIODevice::ReadOnly);
}

QByteArray BinaryFile::ReadUpTo(int64_t offset, int64_t count) {
    if (!File.isOpen() || !File.seek(offset)) {
        return {};
    }
    return File.read(count);
}

QByteArray BinaryFile::Read(int64_t offset, int64_t count) {
    QByteArray bytes = ReadUpTo(offset, count);
    if (bytes.size() != count) {
        RaiseError(ErrNo::InputPastEndOfFile);
    }
    return bytes;
}

} // namespace quillax
