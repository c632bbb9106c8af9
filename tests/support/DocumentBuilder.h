#pragma once

#include "objects/modObjects.h"

#include <initializer_list>
#include <utility>
#include <vector>

namespace quillax {

// An object of meshes with the given points, coloured, with unmarked flags for every point and line.
inline std::pair<ObjectFile, ObjectPlacement>
ObjectOf(std::initializer_list<std::vector<std::pair<float, float>>> meshes) {
    ObjectFile object;
    ObjectPlacement placement;
    for (const std::vector<std::pair<float, float>>& points : meshes) {
        Mesh mesh;
        mesh.Red = 1;
        mesh.Green = 0.5f;
        for (const auto& [x, y] : points) {
            mesh.X.push_back(x);
            mesh.Y.push_back(y);
        }
        mesh.PointCount = static_cast<int16_t>(points.size());
        object.Meshes.push_back(mesh);
        placement.Selections.push_back({std::vector<int16_t>(points.size()),
                                        std::vector<int16_t>(points.empty() ? 0 : points.size() - 1)});
    }
    object.MeshCount = static_cast<int16_t>(meshes.size());
    return {object, placement};
}

} // namespace quillax
