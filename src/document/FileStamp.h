#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quillax {

// What a file was when it was read or written, to tell later whether someone else changed it: a new
// size, time or file is a change, unless the bytes hash the same.
struct FileStamp {
    uint64_t Device = 0;
    uint64_t Inode = 0;
    int64_t Size = 0;
    int64_t ModifiedNanoseconds = 0;
    uint64_t Hash = 0;

    bool operator==(const FileStamp&) const = default;
};

// The stamp of the regular file at path; none when it cannot be read.
std::optional<FileStamp> StampOfFile(const std::string& path);

enum class DiskChange { None, Changed, Missing };

// What became of the file a stamp was taken of: the same file with the same size and time is no
// change without reading it; another file, or the same one written again, only when its bytes differ.
// A file that cannot be looked at or read any more counts as changed.
DiskChange CompareWithDisk(const std::string& path, const FileStamp& known);

} // namespace quillax
