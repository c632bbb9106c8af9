#pragma once

#include "objects/modObjects.h"
#include "view/JointElement.h"
#include "view/MeshRedraw.h"
#include "view/NodeElement.h"
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
                NextElement(Nodes).Visible = true;
                if (k > 0) {
                    NextElement(Joints).Visible = true;
                }
            }
        }
    }

    void Redraw(int32_t listIndex = 0) { PlaceMarkers(Nodes, Joints, Object, Placement, View, listIndex); }

    ObjectFile Object;
    ObjectPlacement Placement;
    NodePool Nodes{NodeElement{}};
    JointPool Joints{JointElement{}};
    ViewTransform View{4, 0, 0, 0, 0, 0, 1, 0, 0, 561, 505};
};

} // namespace quillax
