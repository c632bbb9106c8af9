#include "document/DocumentEdits.h"

#include "document/EditSupport.h"
#include "platform/Counted.h"

#include <algorithm>

namespace quillax {

void NudgeMarkedPoints(ObjectDocument& document, double dx, double dy) {
    if (!document.HasChosenMesh()) {
        return;
    }
    const int32_t chosen = document.ChosenMesh();
    const Mesh& mesh = document.Object().Meshes[static_cast<size_t>(chosen)];
    std::vector<PointMove> moves;
    for (const int32_t k : MarkedPoints(*document.MarksOf(chosen))) {
        const float x = mesh.X[static_cast<size_t>(k)];
        const float y = mesh.Y[static_cast<size_t>(k)];
        moves.push_back({k, x, y, static_cast<float>(x + dx), static_cast<float>(y + dy)});
    }
    if (!moves.empty() && !Refused(CannotEditMesh(document, chosen))) {
        document.MovePoints(chosen, std::move(moves));
    }
}

void InsertPoint(ObjectDocument& document, int32_t line, float x, float y) {
    const MeshState state = ChosenState(document);
    if (!Refused(CannotEditMesh(document, document.ChosenMesh())) &&
        !Refused(CannotInsertPoint(state, document.ChosenMesh()))) {
        ReplaceChosen(document, "Insert Point", state, WithInsertedPoint(state, line, x, y));
    }
}

void DeleteMarkedPoints(ObjectDocument& document) {
    if (!document.HasChosenMesh()) {
        return;
    }
    const size_t marked = MarkedPoints(*document.MarksOf(document.ChosenMesh())).size();
    if (marked == 0) {
        return;
    }
    const MeshState state = ChosenState(document);
    if (!Refused(CannotEditMesh(document, document.ChosenMesh())) &&
        !Refused(CannotDeleteMarkedPoints(state, document.ChosenMesh()))) {
        ReplaceChosen(document, "Delete " + QString::fromStdString(Counted(marked, "Point", "Points")), state,
                      WithoutMarkedPoints(state));
    }
}

void RecolourMesh(ObjectDocument& document, float red, float green, float blue) {
    if (document.HasChosenMesh() && !Refused(CannotEditMesh(document, document.ChosenMesh()))) {
        const MeshState state = ChosenState(document);
        ReplaceChosen(document, "Mesh Colour", state, WithColour(state, red, green, blue));
    }
}

void AddMesh(ObjectDocument& document, MeshState mesh) {
    if (Refused(CannotAddMesh(document.Object()))) {
        return;
    }
    const auto added = static_cast<int32_t>(document.Object().Meshes.size());
    document.SpliceMeshes("New Mesh", {added, {}, {std::move(mesh)}, document.ChosenMesh(), added});
}

void DeleteChosenMesh(ObjectDocument& document) {
    if (!document.HasChosenMesh() || Refused(CannotEditMesh(document, document.ChosenMesh())) ||
        Refused(CannotDeleteMesh(document.Object()))) {
        return;
    }
    const int32_t chosen = document.ChosenMesh();
    const int32_t left = MeshCountOf(document.Object()) - 1;
    document.SpliceMeshes("Delete Mesh",
                          {chosen, {ChosenState(document)}, {}, chosen, std::min(chosen, left - 1)});
}

} // namespace quillax
