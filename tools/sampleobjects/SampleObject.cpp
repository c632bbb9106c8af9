#include "sampleobjects/SampleObject.h"

#include <initializer_list>
#include <utility>

namespace quillax {

namespace {
Mesh MakeMesh(float red, float green, float blue, std::initializer_list<std::pair<float, float>> points) {
    Mesh mesh;
    mesh.Red = red;
    mesh.Green = green;
    mesh.Blue = blue;
    mesh.PointCount = static_cast<int16_t>(points.size());
    for (const auto& [x, y] : points) {
        mesh.X.push_back(x);
        mesh.Y.push_back(y);
    }
    return mesh;
}
} // namespace

// Model y grows downwards on screen, so the nose points up at negative y.
ObjectFile SampleShip() {
    ObjectFile ship;
    ship.Meshes.push_back(MakeMesh(0.35f, 0.85f, 1.0f,
                                   {{0, -40},
                                    {6, -30},
                                    {9, -15},
                                    {10, 0},
                                    {12, 12},
                                    {10, 22},
                                    {6, 28},
                                    {0, 30},
                                    {-6, 28},
                                    {-10, 22},
                                    {-12, 12},
                                    {-10, 0},
                                    {-9, -15},
                                    {-6, -30},
                                    {0, -40}}));
    ship.Meshes.push_back(
        MakeMesh(1.0f, 0.55f, 0.1f,
                 {{-10, 2}, {-36, 16}, {-38, 24}, {-12, 20}, {12, 20}, {38, 24}, {36, 16}, {10, 2}}));
    ship.Meshes.push_back(
        MakeMesh(0.5f, 1.0f, 0.5f, {{0, -26}, {4, -18}, {4, -8}, {0, -4}, {-4, -8}, {-4, -18}, {0, -26}}));
    ship.Meshes.push_back(MakeMesh(1.0f, 0.25f, 0.15f, {{-5, 30}, {-3, 38}, {0, 34}, {3, 38}, {5, 30}}));
    ship.Meshes.push_back(MakeMesh(0.6f, 0.6f, 0.8f, {{0, -2}, {0, 12}, {0, 26}}));
    ship.MeshCount = static_cast<int16_t>(ship.Meshes.size());
    return ship;
}

} // namespace quillax
