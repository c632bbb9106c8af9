#include "objects/ObjectFileReader.h"

#include "platform/RuntimeError.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>

namespace quillax {

namespace {
constexpr size_t ReadAhead = 65536;
}

ObjectFileReader::ObjectFileReader(const std::string& fileName) : FileName(fileName), File(fileName) {
    if (File->IsOpen()) {
        return;
    }
    std::error_code error;
    const auto folder = std::filesystem::path(fileName).parent_path();
    if (File->Error() != InputFile::NotRegular && !folder.empty() &&
        !std::filesystem::is_directory(folder, error)) {
        RaiseError(ErrNo::PathNotFound, fileName);
    }
    if (File->Error() != ENOENT) {
        RaiseError(ErrNo::PathFileAccessError, fileName + ": " + File->Reason());
    }
}

ObjectFileReader::ObjectFileReader(std::vector<unsigned char> bytes, std::string name)
    : FileName(std::move(name)), Buffer(std::move(bytes)) {}

bool ObjectFileReader::Refill() {
    if (!File) {
        return false;
    }
    const uint64_t start = Position + (Buffer.size() - Next);
    Buffer.erase(Buffer.begin(), Buffer.begin() + static_cast<ptrdiff_t>(Next));
    Next = 0;
    const size_t kept = Buffer.size();
    Buffer.resize(kept + ReadAhead);
    const int64_t got =
        File->Descriptor().ReadAt(static_cast<int64_t>(start), Buffer.data() + kept, ReadAhead);
    if (got < 0) {
        RaiseError(ErrNo::PathFileAccessError, FileName + ": " + SystemReason(errno));
    }
    Buffer.resize(kept + static_cast<size_t>(got));
    return got > 0;
}

bool ObjectFileReader::TryRead(void* target, size_t count) {
    while (Buffer.size() - Next < count) {
        if (!Refill()) {
            return false;
        }
    }
    std::memcpy(target, Buffer.data() + Next, count);
    Next += count;
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
    return LittleEndianLong(bytes);
}

uint64_t ObjectFileReader::ReadRest(std::vector<uint8_t>& rest, uint64_t limit) {
    const uint64_t start = Position;
    rest.clear();
    // What is read ahead, then a block at a time, stopping once the rest is longer than limit.
    while (rest.size() + (Buffer.size() - Next) <= limit) {
        rest.insert(rest.end(), Buffer.begin() + static_cast<ptrdiff_t>(Next), Buffer.end());
        Position += Buffer.size() - Next;
        Next = Buffer.size();
        if (!Refill()) {
            rest.shrink_to_fit();
            return rest.size();
        }
    }
    // Too long to keep: counted from the file's size instead.
    rest = {};
    const int64_t length =
        File ? File->Descriptor().Length() : static_cast<int64_t>(Position + (Buffer.size() - Next));
    if (length < 0) {
        RaiseError(ErrNo::PathFileAccessError, FileName + ": " + SystemReason(errno));
    }
    Position = static_cast<uint64_t>(length);
    Buffer.clear();
    Next = 0;
    return Position - start;
}

} // namespace quillax
