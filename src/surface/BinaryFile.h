#pragma once

#include <QByteArray>
#include <QFile>

#include <cstdint>
#include <string>

namespace quillax {

// A file opened for binary reading, closed on every path when it goes.
class BinaryFile {
public:
    explicit BinaryFile(const std::string& path);

    int64_t Length() const { return File.size(); }
    // Up to count bytes from offset; fewer where the file ends.
    QByteArray ReadUpTo(int64_t offset, int64_t count);
    // Exactly count bytes from offset: a file that ends first is input past end of file (62).
    QByteArray Read(int64_t offset, int64_t count);

private:
    QFile File;
};

} // namespace quillax
