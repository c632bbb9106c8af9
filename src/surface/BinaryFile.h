#pragma once

#include "platform/InputFile.h"

#include <QByteArray>

#include <cstdint>
#include <string>

namespace quillax {

// A file opened for binary reading without ever waiting (see InputFile), closed when it goes.
class BinaryFile {
public:
    explicit BinaryFile(const std::string& path);

    int64_t Length() const { return File.Descriptor().Length(); }
    const FileDescriptor& Descriptor() const { return File.Descriptor(); }
    // Up to count bytes from offset; fewer where the file ends, none when it is not open. A read the
    // system refuses is error 75.
    QByteArray ReadUpTo(int64_t offset, int64_t count);
    // Exactly count bytes from offset: a file that ends first is input past end of file (62).
    QByteArray Read(int64_t offset, int64_t count);

private:
    std::string Path;
    InputFile File;
};

} // namespace quillax
