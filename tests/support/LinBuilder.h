#pragma once

#include "objects/ObjectFileBytes.h"
#include "objects/modObjects.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace quillax {

// Objects spelled for tests, whose counts may lie so that broken files can be made too. Their bytes
// are the real writer's, with the counts patched and the points cut to those the test gave.
struct LinMesh {
    float Red = 1;
    float Green = 1;
    float Blue = 1;
    uint32_t ExtraValue = 0;
    uint16_t ExtraWord = 0;
    std::vector<std::pair<float, float>> Points;
    // When set, written instead of Points.size().
    int32_t PointCountOverride = -1;
};

struct LinObject {
    LinObject() = default;
    // Implicit, so that a sample object can be broken as a test spells it.
    LinObject(const ObjectFile& object);

    float CentreX = 0;
    float CentreY = 0;
    std::vector<LinMesh> Meshes;
    std::vector<uint8_t> TrailingBytes;
    int32_t MeshCountOverride = -1;
};

inline LinObject::LinObject(const ObjectFile& object)
    : CentreX(object.CentreX), CentreY(object.CentreY), TrailingBytes(object.TrailingBytes) {
    for (const Mesh& mesh : object.Meshes) {
        LinMesh& lin = Meshes.emplace_back();
        lin.Red = mesh.Red;
        lin.Green = mesh.Green;
        lin.Blue = mesh.Blue;
        lin.ExtraValue = mesh.ExtraValue;
        lin.ExtraWord = mesh.ExtraWord;
        for (size_t j = 0; j < mesh.X.size(); ++j) {
            lin.Points.emplace_back(mesh.X[j], mesh.Y[j]);
        }
    }
}

namespace LinBuilder {
// The writer refuses objects without meshes and meshes of fewer than two points: those are written
// with a spare mesh or spare points that LinBytes then leaves out.
inline constexpr size_t SparePoints = 2;

inline ObjectFile Writable(const LinObject& lin) {
    ObjectFile object;
    object.CentreX = lin.CentreX;
    object.CentreY = lin.CentreY;
    object.TrailingBytes = lin.TrailingBytes;
    for (const LinMesh& source : lin.Meshes) {
        Mesh& mesh = object.Meshes.emplace_back(
            Mesh{source.Red, source.Green, source.Blue, source.ExtraValue, source.ExtraWord, 0, {}, {}});
        for (const auto& [x, y] : source.Points) {
            mesh.X.push_back(x);
            mesh.Y.push_back(y);
        }
        mesh.X.resize(std::max(mesh.X.size(), SparePoints));
        mesh.Y.resize(mesh.X.size());
        mesh.PointCount = static_cast<int16_t>(mesh.X.size());
    }
    if (object.Meshes.empty()) {
        object.Meshes.push_back(Mesh{0, 0, 0, 0, 0, SparePoints, {0, 0}, {0, 0}});
    }
    object.MeshCount = static_cast<int16_t>(object.Meshes.size());
    return object;
}

inline void Append(std::vector<uint8_t>& out, const std::vector<uint8_t>& from, size_t start, size_t count) {
    out.insert(out.end(), from.begin() + static_cast<ptrdiff_t>(start),
               from.begin() + static_cast<ptrdiff_t>(start + count));
}

inline void PatchCount(std::vector<uint8_t>& out, size_t offset, int32_t count) {
    out[offset] = static_cast<uint8_t>(count);
    out[offset + 1] = static_cast<uint8_t>(count >> 8);
}
} // namespace LinBuilder

inline std::vector<uint8_t> LinBytes(const LinObject& object) {
    using namespace LinBuilder;
    constexpr size_t header = 14;
    constexpr size_t meshHeader = 20;
    const std::vector<uint8_t> written = ObjectFileBytes(Writable(object));
    std::vector<uint8_t> out(written.begin(), written.begin() + header);
    PatchCount(out, header - 2,
               object.MeshCountOverride >= 0 ? object.MeshCountOverride
                                             : static_cast<int32_t>(object.Meshes.size()));
    size_t from = header;
    for (const LinMesh& mesh : object.Meshes) {
        Append(out, written, from, meshHeader + 8 * mesh.Points.size());
        PatchCount(out, out.size() - 8 * mesh.Points.size() - 2,
                   mesh.PointCountOverride >= 0 ? mesh.PointCountOverride
                                                : static_cast<int32_t>(mesh.Points.size()));
        from += meshHeader + 8 * std::max(mesh.Points.size(), SparePoints);
    }
    if (object.Meshes.empty()) {
        from += meshHeader + 8 * SparePoints;
    }
    Append(out, written, from, written.size() - from);
    return out;
}

inline void WriteLinFile(const std::string& fileName, const std::vector<uint8_t>& bytes) {
    std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        throw std::runtime_error("cannot write " + fileName);
    }
}

} // namespace quillax
