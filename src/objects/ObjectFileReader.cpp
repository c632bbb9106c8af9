#include "objects/ObjectFileReader.h"

#include "platform/RuntimeError.h"

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

} // namespace quillax
