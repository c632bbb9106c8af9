#pragma once

#include "platform/InputFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillax {

// Sequential little-endian reads from an object file. Reading past the end is an error naming the
// field and its byte offset, so nothing outside the file's data is ever used.
class ObjectFileReader {
public:
    explicit ObjectFileReader(const std::string& fileName);
    // Reads bytes held in memory as the file's; `name` names them in messages.
    ObjectFileReader(std::vector<unsigned char> bytes, std::string name);

    // False when the file does not exist in an existing folder; other failures raise an error.
    bool IsOpen() const { return !File || File->IsOpen(); }
    // Reads count bytes when the file holds them; false otherwise.
    bool TryRead(void* target, size_t count);
    void Read(void* target, size_t count, const std::string& field);
    float ReadSingle(const std::string& field);
    int16_t ReadInt16(const std::string& field);
    uint16_t ReadWord(const std::string& field);
    uint32_t ReadLong(const std::string& field);
    // For fields read a block at a time, so they decode as ReadLong does; inline for the point loop.
    static uint32_t LittleEndianLong(const unsigned char* bytes) {
        return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
               static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
    }
    uint64_t Offset() const { return Position; }
    const std::string& Name() const { return FileName; }
    // Reads the rest of the file into rest when it holds at most limit bytes, otherwise leaves rest
    // empty; either way returns how many bytes were left.
    uint64_t ReadRest(std::vector<uint8_t>& rest, uint64_t limit);

private:
    bool Refill();

    std::string FileName;
    // None when the bytes are in memory: then Buffer holds them all from the start.
    std::optional<InputFile> File;
    uint64_t Position = 0;
    // Bytes from the file read ahead of Position, from Next on.
    std::vector<unsigned char> Buffer;
    size_t Next = 0;
};

} // namespace quillax
