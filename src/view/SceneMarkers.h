#pragma once

#include "objects/modObjects.h"
#include "view/MarkerPool.h"
#include "view/MarkerSource.h"
#include "view/NodePool.h"

#include <cstdint>
#include <vector>

namespace quillax {

// The markers of a document as the redraw gives them, derived when asked from the pools' positions
// and the document: the chosen mesh (`chosen`, -1 when none) in its full colour, the others at a
// quarter of it; marked points white-rimmed and 5 pixels wide, plain ones 3; marked lines white and 2
// wide, plain ones 1. Joint(j) runs between the markers of the two points of its line. Markers beyond
// the object's points (the pools of a load still filling, or filled by hand) look as Node(0) and
// Joint(0) are designed. A short borrow of everything it reads: make one where it is used. Painting
// a mesh's segments relies on its markers being painted after them, as the paint order has it, with
// each marker's centre pixel in its fill: a segment of plain look whose ends touch is left to them.
class SceneMarkers final : public MarkerSource {
public:
    SceneMarkers(const NodePool& nodes, const JointPool& joints, const ObjectFile& object,
                 const ObjectPlacement& placement, int32_t chosen);

    int32_t NodeCount() const override { return Nodes.Count(); }
    int32_t JointCount() const override { return Joints.Count(); }
    NodeElement NodeAt(int32_t index) const override;
    JointElement JointAt(int32_t index) const override;
    void PaintNodes(PixelCanvas& canvas, int32_t first, int32_t last) const override;
    void PaintJoints(PixelCanvas& canvas, int32_t first, int32_t last) const override;
    int64_t PaintCost(bool joints, int32_t first, int32_t last, const PixelCanvas& canvas) const override;
    void NodesNear(int32_t first, int32_t last, double x, double y, double reach,
                   const Visit& visit) const override;
    void JointsNear(int32_t first, int32_t last, double x, double y, double reach,
                    const Visit& visit) const override;

private:
    // One mesh with points, its markers numbered over every mesh, and what they look like.
    struct MeshMarkers {
        const Mesh* Source;
        const std::vector<int16_t>* PointFlags;
        const std::vector<int16_t>* LineFlags;
        int32_t FirstNode;
        int32_t Points;
        int32_t FirstJoint;
        int32_t Lines;
        int32_t Colour;

        bool PointMarked(int32_t k) const;
        bool LineMarked(int32_t k) const;
        bool FlagsHeld() const;
    };
    struct Centre {
        double X;
        double Y;
    };

    const MeshMarkers* MeshOfNode(int32_t index) const;
    const MeshMarkers* MeshOfJoint(int32_t index) const;
    Centre CentreOf(const MeshMarkers* mesh, int32_t node) const;
    NodeElement NodeOf(const MeshMarkers* mesh, int32_t index) const;
    JointElement JointOf(const MeshMarkers* mesh, int32_t index) const;
    void PaintMeshNodes(PixelCanvas& canvas, const MeshMarkers& mesh, int32_t first, int32_t last) const;
    void PaintMeshJoints(PixelCanvas& canvas, const MeshMarkers& mesh, int32_t first, int32_t last) const;
    void PaintInsideJoints(PixelCanvas& canvas, const MeshMarkers& mesh, int32_t first, int32_t last) const;
    template <typename Painting>
    void EachMesh(int32_t first, int32_t last, bool joints, const Painting& painting) const;

    const NodePool& Nodes;
    const JointPool& Joints;
    std::vector<MeshMarkers> Meshes;
    int32_t MeshNodes = 0;
    int32_t MeshJoints = 0;
};

} // namespace quillax
