#include "objects/ObjectSummary.h"

#include <algorithm>
#include <cmath>

namespace quillax {

std::vector<MeshSummary> SummariseMeshes(const ObjectFile& object) {
    std::vector<MeshSummary> summaries;
    for (const Mesh& mesh : object.Meshes) {
        MeshSummary summary{mesh.Red, mesh.Green, mesh.Blue, mesh.PointCount, false,         0,
                            0,        0,          0,         mesh.ExtraValue, mesh.ExtraWord};
        for (size_t k = 0; k < mesh.X.size(); ++k) {
            const float x = mesh.X[k];
            const float y = mesh.Y[k];
            if (!std::isfinite(x) || !std::isfinite(y)) {
                continue;
            }
            summary.MinX = summary.Finite ? std::min(summary.MinX, x) : x;
            summary.MaxX = summary.Finite ? std::max(summary.MaxX, x) : x;
            summary.MinY = summary.Finite ? std::min(summary.MinY, y) : y;
            summary.MaxY = summary.Finite ? std::max(summary.MaxY, y) : y;
            summary.Finite = true;
        }
        summaries.push_back(summary);
    }
    return summaries;
}

} // namespace quillax
