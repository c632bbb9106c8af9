#include "app/MeasureText.h"

#include "browse/StripTips.h"
#include "document/PointTransforms.h"
#include "platform/NumberTexts.h"

namespace quillax {

namespace {
QString Number(double value) {
    return QString::fromStdString(FloatText(static_cast<float>(value)));
}

// The two marked points of the chosen mesh, when exactly two are marked.
std::optional<std::pair<PlanePoint, PlanePoint>> MarkedPair(const ObjectDocument& document) {
    const MeshSelection* marks = document.MarksOf(document.ChosenMesh());
    if (!document.HasChosenMesh() || marks == nullptr) {
        return std::nullopt;
    }
    const std::vector<int32_t> marked = MarkedPoints(*marks);
    const Mesh& mesh = document.Object().Meshes[static_cast<size_t>(document.ChosenMesh())];
    if (marked.size() != 2) {
        return std::nullopt;
    }
    const auto first = static_cast<size_t>(marked[0]);
    const auto second = static_cast<size_t>(marked[1]);
    return std::pair{PlanePoint{mesh.X[first], mesh.Y[first]}, PlanePoint{mesh.X[second], mesh.Y[second]}};
}
} // namespace

QString MeasureText(const ObjectDocument& document, std::optional<ModelPoint> dragged) {
    if (dragged) {
        const double distance = DistanceBetween({}, {dragged->X, dragged->Y});
        return "Moved: " +
               QString::fromStdString(
                   CoordinatesText(static_cast<float>(dragged->X), static_cast<float>(dragged->Y))) +
               ", " + Number(distance);
    }
    if (const auto pair = MarkedPair(document)) {
        const double distance = DistanceBetween(pair->first, pair->second);
        // Two points on one spot have no line between them to take an angle of.
        const QString angle =
            distance > 0 ? " at " + Number(AngleOf(pair->first, pair->second)) + QChar(0x00B0) : QString();
        return "Distance: " + Number(distance) + angle;
    }
    return {};
}

} // namespace quillax
