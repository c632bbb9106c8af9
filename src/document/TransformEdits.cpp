#include "document/TransformEdits.h"

#include "document/EditSupport.h"
#include "platform/Counted.h"

#include <cctype>

namespace quillax {

namespace {
const Mesh& ChosenPoints(const ObjectDocument& document) {
    return document.Object().Meshes[static_cast<size_t>(document.ChosenMesh())];
}

std::vector<int32_t> Targets(const ObjectDocument& document) {
    return TargetPoints(ChosenPoints(document), *document.MarksOf(document.ChosenMesh()));
}

std::string Lowered(const std::string& verb) {
    std::string lowered = verb;
    lowered[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(lowered[0])));
    return lowered;
}

// The object's centre, or the centre of the points' bounds; none, said in a message box, when no
// point has finite coordinates to take it from.
std::optional<PlanePoint> PivotOf(const ObjectDocument& document, const std::vector<int32_t>& points,
                                  TransformAbout about, const std::string& verb) {
    if (about == TransformAbout::ObjectCentre) {
        return PlanePoint{document.Object().CentreX, document.Object().CentreY};
    }
    const std::optional<PointBounds> bounds = BoundsOf(ChosenPoints(document), points);
    if (!bounds) {
        Refused("Cannot " + Lowered(verb) + ": no point has finite coordinates to find the centre of.");
        return std::nullopt;
    }
    return bounds->Centre();
}

} // namespace

void TransformChosen(ObjectDocument& document, const std::string& verb, TransformAbout about,
                     const std::function<PointMap(PlanePoint pivot)>& mapAbout) {
    if (!document.HasChosenMesh() || Refused(CannotEditMesh(document, document.ChosenMesh()))) {
        return;
    }
    const std::vector<int32_t> points = Targets(document);
    if (const std::optional<PlanePoint> pivot = PivotOf(document, points, about, verb)) {
        MapChosenPoints(document, verb, points, mapAbout(*pivot));
    }
}

void MapChosenPoints(ObjectDocument& document, const std::string& verb, const std::vector<int32_t>& points,
                     const PointMap& map) {
    const int32_t mesh = document.ChosenMesh();
    MappedPoints mapped = MapPoints(ChosenPoints(document), points, map);
    if (mapped.Unfit) {
        Refused("Cannot " + Lowered(verb) + ": point " + std::to_string(*mapped.Unfit) + " of mesh " +
                std::to_string(mesh) +
                " would be beyond the range of a float, or no number at all. Nothing was changed.");
        return;
    }
    if (!mapped.Moves.empty()) {
        const std::string text = verb + " " + Counted(static_cast<int64_t>(points.size()), "Point", "Points");
        document.MovePoints(QString::fromStdString(text), mesh, std::move(mapped.Moves));
    }
}

void RotatePoints(ObjectDocument& document, double degrees, TransformAbout about) {
    TransformChosen(document, "Rotate", about,
                    [degrees](PlanePoint pivot) { return Rotation(degrees, pivot); });
}

void ScalePoints(ObjectDocument& document, double factorX, double factorY, TransformAbout about) {
    TransformChosen(document, "Scale", about,
                    [factorX, factorY](PlanePoint pivot) { return Scaling(factorX, factorY, pivot); });
}

void FlipPoints(ObjectDocument& document, bool horizontally, TransformAbout about) {
    TransformChosen(document, "Flip", about,
                    [horizontally](PlanePoint pivot) { return Mirror(horizontally, pivot); });
}

void MovePointsTo(ObjectDocument& document, std::optional<float> x, std::optional<float> y) {
    if (!document.HasChosenMesh() || (!x && !y) || Refused(CannotEditMesh(document, document.ChosenMesh()))) {
        return;
    }
    const std::vector<int32_t> marked = MarkedPoints(*document.MarksOf(document.ChosenMesh()));
    const Mesh& mesh = ChosenPoints(document);
    if (marked.size() == 1) {
        // The typed float itself, which a shift worked out in double could miss far from the origin.
        const auto k = static_cast<size_t>(marked[0]);
        document.MovePoints(document.ChosenMesh(), {{marked[0], mesh.X[k], mesh.Y[k], x.value_or(mesh.X[k]),
                                                     y.value_or(mesh.Y[k])}});
        return;
    }
    if (const std::optional<PointBounds> bounds = BoundsOf(mesh, marked)) {
        const PlanePoint centre = bounds->Centre();
        MapChosenPoints(document, "Move", marked,
                        Translation(x ? *x - centre.X : 0.0, y ? *y - centre.Y : 0.0));
    }
}

void MoveObjectCentre(ObjectDocument& document, float x, float y) {
    document.MoveCentre(x, y);
}

} // namespace quillax
