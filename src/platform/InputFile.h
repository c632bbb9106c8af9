#pragma once

#include "platform/FileDescriptor.h"

#include <string>

namespace quillax {

// A file opened for reading that never makes the program wait: only a regular file is opened, and
// it is checked before and after the open, so a FIFO, device or folder is refused at once and
// nothing is ever read from it. The name is taken as bytes.
class InputFile {
public:
    // What Error() gives for a FIFO, device, folder or socket.
    static constexpr int NotRegular = -1;

    explicit InputFile(const std::string& path);

    bool IsOpen() const { return File.IsOpen(); }
    // 0 when open; else the system's error number (ENOENT for a missing file) or NotRegular.
    int Error() const { return Failure; }
    // "not a regular file", or the system's reason.
    std::string Reason() const;
    const FileDescriptor& Descriptor() const { return File; }

private:
    FileDescriptor File;
    int Failure = 0;
};

} // namespace quillax
