#include "linwriter/LinWriter.h"

#include <bit>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace quillax {

namespace {
void PutLong(std::vector<unsigned char>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<unsigned char>(value >> shift));
    }
}
void PutWord(std::vector<unsigned char>& out, uint16_t value) {
    out.push_back(static_cast<unsigned char>(value));
    out.push_back(static_cast<unsigned char>(value >> 8));
}
void PutSingle(std::vector<unsigned char>& out, float value) {
    PutLong(out, std::bit_cast<uint32_t>(value));
}
} // namespace

std::vector<unsigned char> LinBytes(const LinObject& object) {
    std::vector<unsigned char> out;
    PutLong(out, 0x003A7ADE);
    PutSingle(out, object.CentreX);
    PutSingle(out, object.CentreY);
    const auto meshCount =
        object.MeshCountOverride >= 0 ? object.MeshCountOverride : static_cast<int32_t>(object.Meshes.size());
    PutWord(out, static_cast<uint16_t>(meshCount));
    for (const LinMesh& mesh : object.Meshes) {
        PutSingle(out, mesh.Red);
        PutSingle(out, mesh.Green);
        PutSingle(out, mesh.Blue);
        PutLong(out, mesh.ExtraValue);
        PutWord(out, mesh.ExtraWord);
        const auto count =
            mesh.PointCountOverride >= 0 ? mesh.PointCountOverride : static_cast<int32_t>(mesh.Points.size());
        PutWord(out, static_cast<uint16_t>(count));
        for (const auto& [x, y] : mesh.Points) {
            PutSingle(out, x);
            PutSingle(out, y);
        }
    }
    return out;
}

void WriteLinFile(const std::string& fileName, const std::vector<unsigned char>& bytes) {
    std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        throw std::runtime_error("cannot write " + fileName);
    }
}

LinObject LargeLinObject(int32_t pointCount, int32_t meshCount) {
    LinObject object;
    int32_t left = pointCount;
    for (int32_t m = 0; m < meshCount; ++m) {
        LinMesh mesh;
        mesh.Red = static_cast<float>(m % 3 == 0);
        mesh.Green = static_cast<float>(m % 3 == 1);
        mesh.Blue = 0.5f;
        const int32_t points = m == meshCount - 1 ? left : pointCount / meshCount;
        left -= points;
        for (int32_t k = 0; k < points; ++k) {
            const double angle = 0.001 * k + m;
            const double radius = 10.0 + 50.0 * k / points;
            mesh.Points.emplace_back(static_cast<float>(radius * std::cos(angle)),
                                     static_cast<float>(radius * std::sin(angle)));
        }
        object.Meshes.push_back(std::move(mesh));
    }
    return object;
}

} // namespace quillax
