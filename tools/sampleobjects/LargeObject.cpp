#include "sampleobjects/LargeObject.h"

#include <cmath>

namespace quillax {

ObjectFile LargeObject(int32_t pointCount, int32_t meshCount) {
    ObjectFile object;
    int32_t left = pointCount;
    for (int32_t m = 0; m < meshCount; ++m) {
        Mesh mesh;
        mesh.Red = static_cast<float>(m % 3 == 0);
        mesh.Green = static_cast<float>(m % 3 == 1);
        mesh.Blue = 0.5f;
        const int32_t points = m == meshCount - 1 ? left : pointCount / meshCount;
        left -= points;
        mesh.PointCount = static_cast<int16_t>(points);
        for (int32_t k = 0; k < points; ++k) {
            const double angle = 0.001 * k + m;
            const double radius = 10.0 + 50.0 * k / points;
            mesh.X.push_back(static_cast<float>(radius * std::cos(angle)));
            mesh.Y.push_back(static_cast<float>(radius * std::sin(angle)));
        }
        object.Meshes.push_back(std::move(mesh));
    }
    object.MeshCount = static_cast<int16_t>(meshCount);
    return object;
}

} // namespace quillax
