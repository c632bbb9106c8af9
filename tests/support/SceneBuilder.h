#pragma once

#include "objects/modObjects.h"
#include "view/MeshRedraw.h"
#include "view/SceneMarkers.h"
#include "view/ViewTransform.h"

#include <utility>
#include <vector>

namespace quillax {

// An object model with its pools filled as the load command fills them, for tests without a window.
struct Scene {
    using Points = std::vector<std::pair<float, float>>;

    explicit Scene(const std::vector<Points>& meshes) {
        for (const Points& points : meshes) {
            Mesh mesh;
            mesh.Red = 1.0f;
            mesh.Green = 0.5f;
            mesh.PointCount = static_cast<int16_t>(points.size());
            for (const auto& [x, y] : points) {
                mesh.X.push_back(x);
                mesh.Y.push_back(y);
            }
            Object.Meshes.push_back(mesh);
            Placement.Selections.push_back({std::vector<int16_t>(points.size()),
                                            std::vector<int16_t>(points.empty() ? 0 : points.size() - 1)});
        }
        Object.MeshCount = static_cast<int16_t>(meshes.size());
    }

    // One marker per point and one segment per line, shown, in object order.
    void FillPools() {
        for (const Mesh& mesh : Object.Meshes) {
            for (int16_t k = 0; k < mesh.PointCount; ++k) {
                Nodes.Add({});
                if (k > 0) {
                    Joints.Add();
                }
            }
        }
    }

    void Redraw(int32_t listIndex = 0) {
        PlaceMarkers(Nodes, Object, View);
        Chosen = listIndex;
    }

    // The markers as the redraw gives them.
    SceneMarkers Markers() const { return SceneMarkers(Nodes, Joints, Object, Placement, Chosen); }
    NodeElement Node(int32_t index) const { return Markers().NodeAt(index); }
    JointElement Joint(int32_t index) const { return Markers().JointAt(index); }

    ObjectFile Object;
    ObjectPlacement Placement;
    NodePool Nodes;
    JointPool Joints;
    int32_t Chosen = 0;
    ViewTransform View{4, 0, 0, 0, 0, 0, 1, 0, 0, 561, 505};
};

} // namespace quillax
