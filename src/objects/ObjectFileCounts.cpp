#include "objects/ObjectFileCounts.h"

#include "objects/ObjectFileReader.h"
#include "objects/modObjects.h"
#include "platform/InputFile.h"

namespace quillax {

namespace {
constexpr int64_t HeaderBytes = 14;
constexpr int64_t MeshHeaderBytes = 20;
constexpr int64_t PointCountOffset = 18;

bool ReadCount(const FileDescriptor& file, int64_t offset, int16_t& count) {
    unsigned char bytes[2];
    if (file.ReadAt(offset, bytes, 2) != 2) {
        return false;
    }
    count = static_cast<int16_t>(bytes[0] | bytes[1] << 8);
    return true;
}
} // namespace

ObjectFileCounts CountObjectFile(const std::string& fileName) {
    const InputFile input(fileName);
    if (!input.IsOpen()) {
        return {};
    }
    const FileDescriptor& file = input.Descriptor();
    unsigned char magic[4];
    int16_t meshes = 0;
    if (file.ReadAt(0, magic, 4) != 4 ||
        ObjectFileReader::LittleEndianLong(magic) != static_cast<uint32_t>(ObjectFileMagic) ||
        !ReadCount(file, HeaderBytes - 2, meshes) || meshes < 1) {
        return {};
    }
    ObjectFileCounts counts{meshes, 0};
    int64_t mesh = HeaderBytes;
    for (int16_t k = 0; k < meshes; ++k) {
        int16_t points = 0;
        if (!ReadCount(file, mesh + PointCountOffset, points) || points < 2) {
            break;
        }
        counts.Points += static_cast<uint64_t>(points);
        mesh += MeshHeaderBytes + 8 * static_cast<int64_t>(points);
    }
    return counts;
}

} // namespace quillax
