#include "view/MeshRedraw.h"

#include "platform/RuntimeError.h"
#include "view/MeshColour.h"

#include <string>

namespace quillax {

namespace {
// Both brightnesses of one mesh, worked out once; which one applies is decided per marker.
struct MeshColours {
    int32_t Chosen;
    int32_t Dimmed;

    int32_t For(int32_t meshIndex, int32_t listIndex) const {
        return ColourFactor(meshIndex, listIndex) == ChosenFactor ? Chosen : Dimmed;
    }
};

MeshColours ColoursOf(const Mesh& mesh) {
    return {MeshColour(mesh.Red, mesh.Green, mesh.Blue, ChosenFactor),
            MeshColour(mesh.Red, mesh.Green, mesh.Blue, DimmedFactor)};
}

// The mesh and its flags, checked once so that the loop over its points cannot read past them.
void CheckMesh(const ObjectFile& object, const ObjectPlacement& placement, size_t index) {
    const size_t points =
        index < object.Meshes.size() ? static_cast<size_t>(PointsOf(object.Meshes[index])) : 0;
    const bool consistent = index < object.Meshes.size() && index < placement.Selections.size() &&
                            object.Meshes[index].X.size() >= points &&
                            object.Meshes[index].Y.size() >= points &&
                            placement.Selections[index].PointFlags.size() >= points &&
                            placement.Selections[index].LineFlags.size() + 1 >= points;
    if (!consistent) {
        RaiseError(ErrNo::SubscriptOutOfRange, "mesh " + std::to_string(index));
    }
}

void PlaceNode(NodeElement& node, const ScreenPoint& point, int32_t colour, bool selected) {
    node.FillColor = colour;
    node.BorderColor = selected ? White : colour;
    node.Width = selected ? 5 : 3;
    node.Height = node.Width;
    node.Left = SinglePosition(point.X - node.Width / 2.0);
    node.Top = SinglePosition(point.Y - node.Height / 2.0);
}

// A selected line is 2 pixels wide, a plain one 1.
void PlaceJoint(JointElement& joint, const ScreenPoint& from, const ScreenPoint& to, bool selected,
                int32_t colour) {
    joint.X1 = SinglePosition(from.X);
    joint.Y1 = SinglePosition(from.Y);
    joint.X2 = SinglePosition(to.X);
    joint.Y2 = SinglePosition(to.Y);
    joint.BorderColor = colour;
    joint.BorderWidth = selected ? 2 : 1;
}
} // namespace

void PlaceMarkers(NodePool& nodes, JointPool& joints, const ObjectFile& object,
                  const ObjectPlacement& placement, const ViewTransform& view,
                  const ListIndexReader& listIndex) {
    int32_t n = 0;
    int32_t j = 0;
    ScreenPoint previous{0, 0};
    for (int16_t i = 0; i < object.MeshCount; ++i) {
        CheckMesh(object, placement, static_cast<size_t>(i));
        const Mesh& mesh = object.Meshes[static_cast<size_t>(i)];
        const MeshSelection& selection = placement.Selections[static_cast<size_t>(i)];
        const MeshColours colours = ColoursOf(mesh);
        const size_t points = static_cast<size_t>(PointsOf(mesh));
        for (size_t k = 0; k < points; ++k) {
            const ScreenPoint point = ModelToScreen(view, mesh.X[k], mesh.Y[k]);
            // The chosen mesh is read afresh for every marker that takes a mesh colour.
            if (n < nodes.Count()) {
                PlaceNode(nodes(n), point, colours.For(i, listIndex()), selection.PointFlags[k] != 0);
            }
            if (k >= 1 && j < joints.Count()) {
                const bool selected = selection.LineFlags[k - 1] != 0;
                PlaceJoint(joints(j), previous, point, selected,
                           selected ? White : colours.For(i, listIndex()));
            }
            j += k >= 1 ? 1 : 0;
            ++n;
            previous = point;
        }
    }
}

} // namespace quillax
