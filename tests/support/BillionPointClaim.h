#pragma once

#include "platform/FileDescriptor.h"

#include <fcntl.h>
#include <unistd.h>

#include <string>

namespace quillax {

// The billion-point claim: 32,767 meshes of 32,767 points each, 8.6 GB of file whose points are holes,
// so it takes only its headers' blocks on disk. False when it cannot be written.
inline bool WriteBillionPointClaim(const std::string& path) {
    const FileDescriptor file(open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
    const unsigned char header[14] = {0xDE, 0x7A, 0x3A, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0x7F};
    const unsigned char mesh[20] = {0,    0,    0x80, 0x3F, 0, 0, 0x80, 0x3F, 0,    0,
                                    0x80, 0x3F, 0,    0,    0, 0, 0,    0,    0xFF, 0x7F};
    bool written = file.IsOpen() && pwrite(file.Get(), header, sizeof header, 0) == sizeof header;
    off_t at = sizeof header;
    for (int k = 0; written && k < 32767; ++k, at += 20 + 8 * 32767) {
        written = pwrite(file.Get(), mesh, sizeof mesh, at) == sizeof mesh;
    }
    return written && ftruncate(file.Get(), at) == 0;
}

} // namespace quillax
