#include "document/StructureEdits.h"

#include "document/ClosedOutline.h"
#include "document/DocumentEdits.h"
#include "document/EditSupport.h"
#include "document/PolylineEdits.h"
#include "platform/Counted.h"

#include <algorithm>

namespace quillax {

namespace {
// The chosen mesh, editable: none when there is none, or when it is locked (which is said).
std::optional<MeshState> EditableChosen(const ObjectDocument& document) {
    if (!document.HasChosenMesh() || Refused(CannotEditMesh(document, document.ChosenMesh()))) {
        return std::nullopt;
    }
    return ChosenState(document);
}

MeshState Marked(Mesh points, int16_t flag) {
    const auto count = static_cast<size_t>(PointsOf(points));
    return {std::move(points), {std::vector<int16_t>(count, flag), std::vector<int16_t>(count - 1, 0)}};
}

size_t MarkedCount(const ObjectDocument& document) {
    return MarkedPoints(*document.MarksOf(document.ChosenMesh())).size();
}
} // namespace

std::optional<std::vector<Mesh>> CopiedMeshes(const ObjectDocument& document) {
    if (!document.HasChosenMesh()) {
        return std::nullopt;
    }
    const MeshState state = ChosenState(document);
    const size_t marked = MarkedCount(document);
    if (marked == 0) {
        return std::vector<Mesh>{state.Points};
    }
    if (marked < 2) {
        Refused("A mesh has at least 2 points: mark 2 or more points to copy them as a polyline, or "
                "none to copy the whole mesh.");
        return std::nullopt;
    }
    return std::vector<Mesh>{MarkedPolyline(state)};
}

std::optional<std::string> CannotCut(const ObjectDocument& document) {
    const int32_t chosen = document.ChosenMesh();
    if (const std::optional<std::string> locked = CannotEditMesh(document, chosen)) {
        return locked;
    }
    return MarkedCount(document) > 0 ? CannotDeleteMarkedPoints(ChosenState(document), chosen)
                                     : CannotDeleteMesh(document.Object());
}

void DeleteCut(ObjectDocument& document) {
    if (MarkedCount(document) > 0) {
        DeleteMarkedPoints(document);
    } else {
        DeleteChosenMesh(document);
    }
}

void PasteMeshes(ObjectDocument& document, std::vector<Mesh> meshes, const QString& text) {
    const auto first = static_cast<int32_t>(document.Object().Meshes.size());
    if (meshes.empty()) {
        return;
    }
    if (first + static_cast<int64_t>(meshes.size()) > MostMeshes) {
        Refused("The object has " + Counted(first, "mesh", "meshes") + ": " +
                Counted(static_cast<int64_t>(meshes.size()), "more", "more") + " would pass " +
                std::to_string(MostMeshes) + ", the most an object can hold.");
        return;
    }
    MeshSplice splice{first, {}, {}, document.ChosenMesh(), first};
    for (Mesh& mesh : meshes) {
        splice.After.push_back(Marked(std::move(mesh), splice.After.empty() ? int16_t{-1} : int16_t{0}));
    }
    document.SpliceMeshes(text, std::move(splice));
}

std::optional<int32_t> MarkedEnd(const ObjectDocument& document) {
    if (!document.HasChosenMesh()) {
        return std::nullopt;
    }
    const std::vector<int32_t> marked = MarkedPoints(*document.MarksOf(document.ChosenMesh()));
    const int32_t last = PointsOf(document.Object().Meshes[static_cast<size_t>(document.ChosenMesh())]) - 1;
    if (marked.size() != 1 || (marked[0] != 0 && marked[0] != last)) {
        return std::nullopt;
    }
    return marked[0];
}

bool ExtendChosenMesh(ObjectDocument& document, float x, float y) {
    const std::optional<int32_t> end = MarkedEnd(document);
    if (!end) {
        return false;
    }
    const std::optional<MeshState> state = EditableChosen(document);
    if (state && !Refused(CannotAddPoint(*state, document.ChosenMesh()))) {
        ReplaceChosen(document, "Extend Mesh", *state, WithNewEnd(*state, *end == 0, x, y));
    }
    return true;
}

void CloseChosenOutline(ObjectDocument& document) {
    if (!document.HasChosenMesh() ||
        IsClosedOutline(document.Object().Meshes[static_cast<size_t>(document.ChosenMesh())])) {
        return;
    }
    const std::optional<MeshState> state = EditableChosen(document);
    if (state && !Refused(CannotAddPoint(*state, document.ChosenMesh()))) {
        ReplaceChosen(document, "Close Outline", *state, WithClosedOutline(*state));
    }
}

void OpenChosenOutline(ObjectDocument& document) {
    if (!document.HasChosenMesh() ||
        !IsClosedOutline(document.Object().Meshes[static_cast<size_t>(document.ChosenMesh())])) {
        return;
    }
    if (const std::optional<MeshState> state = EditableChosen(document)) {
        ReplaceChosen(document, "Open Outline", *state, WithOpenedOutline(*state));
    }
}

void ReverseChosenMesh(ObjectDocument& document) {
    if (const std::optional<MeshState> state = EditableChosen(document)) {
        ReplaceChosen(document, "Reverse Mesh", *state, WithReversedPoints(*state));
    }
}

void MoveMeshTo(ObjectDocument& document, int32_t from, int32_t to) {
    const int32_t meshes = MeshCountOf(document.Object());
    if (from < 0 || from >= meshes || to < 0 || to >= meshes || to == from) {
        return;
    }
    const QString text = to == from - 1 ? "Move Mesh Up" : to == from + 1 ? "Move Mesh Down" : "Move Mesh";
    document.MoveMesh(text, from, to);
}

void MoveChosenMesh(ObjectDocument& document, int32_t to) {
    MoveMeshTo(document, document.ChosenMesh(), to);
}

} // namespace quillax
