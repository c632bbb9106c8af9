#include "document/MeshEdits.h"

#include "platform/Counted.h"

#include <QColor>

#include <algorithm>
#include <array>
#include <cmath>
#include <set>

namespace quillax {

namespace {
void SetPointCount(Mesh& mesh) {
    mesh.PointCount = static_cast<int16_t>(mesh.X.size());
}

// A colour component as the chosen mesh is drawn, 0 to 255.
int Byte(float component) {
    return std::isfinite(component) ? static_cast<int>(std::lround(std::clamp(component, 0.0f, 1.0f) * 255))
                                    : 0;
}

// Bright hues a golden angle apart, each as far from the ones before as it can be, darker on later
// rounds; the first that no mesh has and that is not white.
std::array<int, 3> UnusedColour(const ObjectFile& object) {
    std::set<std::array<int, 3>> used{{255, 255, 255}};
    for (const Mesh& mesh : object.Meshes) {
        used.insert({Byte(mesh.Red), Byte(mesh.Green), Byte(mesh.Blue)});
    }
    for (int k = 0;; ++k) {
        const QColor colour = QColor::fromHsvF(std::fmod(0.1 + k * 0.6180339887, 1.0), 1.0,
                                               std::max(0.2, 1.0 - (k / 360) * 0.002));
        const std::array<int, 3> candidate{colour.red(), colour.green(), colour.blue()};
        if (!used.contains(candidate)) {
            return candidate;
        }
    }
}
} // namespace

MeshState MeshStateOf(const ObjectFile& object, const ObjectPlacement& placement, int32_t mesh) {
    const auto index = static_cast<size_t>(mesh);
    return {object.Meshes.at(index), placement.Selections.at(index)};
}

MeshState WithInsertedPoint(const MeshState& state, int32_t line, float x, float y) {
    MeshState edited = state;
    const auto at = static_cast<ptrdiff_t>(line) + 1;
    edited.Points.X.insert(edited.Points.X.begin() + at, x);
    edited.Points.Y.insert(edited.Points.Y.begin() + at, y);
    SetPointCount(edited.Points);
    edited.Marks.PointFlags.insert(edited.Marks.PointFlags.begin() + at, 0);
    edited.Marks.LineFlags[static_cast<size_t>(line)] = 0;
    edited.Marks.LineFlags.insert(edited.Marks.LineFlags.begin() + at, 0);
    return edited;
}

MeshState WithoutMarkedPoints(const MeshState& state) {
    MeshState kept;
    kept.Points = state.Points;
    kept.Points.X.clear();
    kept.Points.Y.clear();
    const size_t count = state.Points.X.size();
    size_t previous = count;
    for (size_t k = 0; k < count; ++k) {
        if (state.Marks.PointFlags[k] != 0) {
            continue;
        }
        if (!kept.Points.X.empty()) {
            const bool neighbours = previous + 1 == k;
            kept.Marks.LineFlags.push_back(neighbours ? state.Marks.LineFlags[previous] : int16_t{0});
        }
        kept.Points.X.push_back(state.Points.X[k]);
        kept.Points.Y.push_back(state.Points.Y[k]);
        kept.Marks.PointFlags.push_back(0);
        previous = k;
    }
    SetPointCount(kept.Points);
    return kept;
}

MeshState WithColour(const MeshState& state, float red, float green, float blue) {
    MeshState coloured = state;
    coloured.Points.Red = red;
    coloured.Points.Green = green;
    coloured.Points.Blue = blue;
    return coloured;
}

MeshState TwoPointMesh(float x1, float y1, float x2, float y2, const ObjectFile& among) {
    MeshState mesh;
    const std::array<int, 3> colour = UnusedColour(among);
    mesh.Points.Red = static_cast<float>(colour[0]) / 255;
    mesh.Points.Green = static_cast<float>(colour[1]) / 255;
    mesh.Points.Blue = static_cast<float>(colour[2]) / 255;
    mesh.Points.X = {x1, x2};
    mesh.Points.Y = {y1, y2};
    SetPointCount(mesh.Points);
    mesh.Marks.PointFlags = {0, 0};
    mesh.Marks.LineFlags = {0};
    return mesh;
}

// A mesh that holds the most points: none can be `done` ("inserted", "added").
std::optional<std::string> CannotGrow(const MeshState& state, int32_t mesh, const char* done) {
    if (static_cast<int64_t>(state.Points.X.size()) >= MostPoints) {
        return "Mesh " + std::to_string(mesh) + " has " + Counted(MostPoints, "point", "points") +
               ", the most a mesh can hold; no point can be " + done + ".";
    }
    return std::nullopt;
}

std::optional<std::string> CannotInsertPoint(const MeshState& state, int32_t mesh) {
    return CannotGrow(state, mesh, "inserted");
}

std::optional<std::string> CannotAddPoint(const MeshState& state, int32_t mesh) {
    return CannotGrow(state, mesh, "added");
}

std::optional<std::string> CannotDeleteMarkedPoints(const MeshState& state, int32_t mesh) {
    const auto marked = static_cast<int64_t>(MarkedPoints(state.Marks).size());
    const auto left = static_cast<int64_t>(state.Points.X.size()) - marked;
    if (left < 2) {
        return "A mesh keeps at least 2 points: deleting " +
               Counted(marked, "marked point", "marked points") + " of mesh " + std::to_string(mesh) +
               " would leave " + std::to_string(left) + ".";
    }
    return std::nullopt;
}

std::optional<std::string> CannotAddMesh(const ObjectFile& object) {
    if (static_cast<int64_t>(object.Meshes.size()) >= MostMeshes) {
        return "The object has " + Counted(MostMeshes, "mesh", "meshes") + ", the most an object can hold.";
    }
    return std::nullopt;
}

std::optional<std::string> CannotDeleteMesh(const ObjectFile& object) {
    if (object.Meshes.size() <= 1) {
        return "An object keeps at least one mesh: its only mesh cannot be deleted.";
    }
    return std::nullopt;
}

std::vector<int32_t> MarkedPoints(const MeshSelection& marks) {
    std::vector<int32_t> marked;
    for (size_t k = 0; k < marks.PointFlags.size(); ++k) {
        if (marks.PointFlags[k] != 0) {
            marked.push_back(static_cast<int32_t>(k));
        }
    }
    return marked;
}

} // namespace quillax
