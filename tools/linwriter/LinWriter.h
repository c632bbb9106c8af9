#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace quillax {

// Builds .lin object files byte for byte, for tests, benchmarks and the sample asset. The editor
// itself never writes one.
struct LinMesh {
    float Red = 1;
    float Green = 1;
    float Blue = 1;
    uint32_t ExtraValue = 0;
    uint16_t ExtraWord = 0;
    std::vector<std::pair<float, float>> Points;
    // When set, written instead of Points.size() (to make broken files).
    int32_t PointCountOverride = -1;
};

struct LinObject {
    float CentreX = 0;
    float CentreY = 0;
    std::vector<LinMesh> Meshes;
    int32_t MeshCountOverride = -1;
};

std::vector<unsigned char> LinBytes(const LinObject& object);
void WriteLinFile(const std::string& fileName, const std::vector<unsigned char>& bytes);

// An object of meshCount meshes sharing pointCount points in all, spread over a disc: for benchmarks.
LinObject LargeLinObject(int32_t pointCount, int32_t meshCount);

} // namespace quillax
