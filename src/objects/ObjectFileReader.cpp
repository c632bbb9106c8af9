#include "objects/ObjectFileReader.h"

#include "platform/RuntimeError.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace quillax {

ObjectFileReader::ObjectFileReader(const std::string& fileName) : FileName(fileName) {
    std::error_code error;
    if (std::filesystem::is_directory(fileName, error)) {
        RaiseError(ErrNo::PathFileAccessError, fileName + " is a folder");
    }
    errno = 0;
    Stream.open(fileName, std::ios::binary | std::ios::in);
    if (Stream.is_open()) {
        return;
    }
    const int openErrno = errno;
    const auto folder = std::filesystem::path(fileName).parent_path();
    if (!folder.empty() && !std::filesystem::is_directory(folder, error)) {
        RaiseError(ErrNo::PathNotFound, fileName);
    }
    if (openErrno != ENOENT) {
        RaiseError(ErrNo::PathFileAccessError, fileName + " (" + std::strerror(openErrno) + ")");
    }
}

bool ObjectFileReader::TryRead(void* target, size_t count) {
    Stream.read(static_cast<char*>(target), static_cast<std::streamsize>(count));
    if (Stream.gcount() != static_cast<std::streamsize>(count)) {
        return false;
    }
    Position += count;
    return true;
}

void ObjectFileReader::Read(void* target, size_t count, const std::string& field) {
    if (!TryRead(target, count)) {
        RaiseError(ErrNo::InputPastEndOfFile, "the file ends while reading " + field + " at byte offset " +
                                                  std::to_string(Position) + " of " + FileName);
    }
}

float ObjectFileReader::ReadSingle(const std::string& field) {
    return std::bit_cast<float>(ReadLong(field));
}

int16_t ObjectFileReader::ReadInt16(const std::string& field) {
    return static_cast<int16_t>(ReadWord(field));
}

uint16_t ObjectFileReader::ReadWord(const std::string& field) {
    unsigned char bytes[2];
    Read(bytes, sizeof bytes, field);
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

uint32_t ObjectFileReader::ReadLong(const std::string& field) {
    unsigned char bytes[4];
    Read(bytes, sizeof bytes, field);
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

uint64_t ObjectFileReader::ReadRest(std::vector<uint8_t>& rest, uint64_t limit) {
    // Grown a block at a time, so a short tail costs only its own size.
    constexpr uint64_t block = 1 << 16;
    rest.clear();
    while (rest.size() <= limit) {
        const size_t start = rest.size();
        const size_t wanted = std::min(block, limit + 1 - start);
        rest.resize(start + wanted);
        Stream.read(reinterpret_cast<char*>(rest.data() + start), static_cast<std::streamsize>(wanted));
        const auto got = static_cast<size_t>(Stream.gcount());
        rest.resize(start + got);
        if (got < wanted) {
            rest.shrink_to_fit();
            Position += rest.size();
            return rest.size();
        }
    }
    // Too long to keep: counted from the file's size instead.
    rest = {};
    Stream.seekg(0, std::ios::end);
    const uint64_t left = static_cast<uint64_t>(Stream.tellg()) - Position;
    Position += left;
    return left;
}

} // namespace quillax
