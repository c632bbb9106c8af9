#include "quillax/ObjectWarnings.h"

#include "objects/ObjectSummary.h"
#include "platform/NumberTexts.h"

#include <cmath>

namespace quillax {

namespace {
std::string PointText(float x, float y) {
    return "(x " + FloatText(x) + ", y " + FloatText(y) + ")";
}

void WarnOfPoints(const Mesh& mesh, const std::string& of, std::vector<std::string>& warnings) {
    int64_t count = 0;
    size_t first = 0;
    for (size_t k = 0; k < mesh.X.size() && k < mesh.Y.size(); ++k) {
        if (!std::isfinite(mesh.X[k]) || !std::isfinite(mesh.Y[k])) {
            first = count++ == 0 ? k : first;
        }
    }
    if (count > 0) {
        const std::string which = count == 1
                                      ? "1 point is not finite: point "
                                      : std::to_string(count) + " points are not finite, the first point ";
        warnings.push_back(of + which + std::to_string(first) + " " +
                           PointText(mesh.X[first], mesh.Y[first]));
    }
}
} // namespace

std::vector<std::string> NonFiniteWarnings(const ObjectFile& object) {
    std::vector<std::string> warnings;
    if (!std::isfinite(object.CentreX) || !std::isfinite(object.CentreY)) {
        warnings.push_back("the centre is not finite " + PointText(object.CentreX, object.CentreY));
    }
    for (size_t index = 0; index < object.Meshes.size(); ++index) {
        const Mesh& mesh = object.Meshes[index];
        const std::string of = "mesh " + std::to_string(index) + ": ";
        if (!std::isfinite(mesh.Red) || !std::isfinite(mesh.Green) || !std::isfinite(mesh.Blue)) {
            warnings.push_back(of + "the colour is not finite (red " + FloatText(mesh.Red) + ", green " +
                               FloatText(mesh.Green) + ", blue " + FloatText(mesh.Blue) + ")");
        }
        WarnOfPoints(mesh, of, warnings);
    }
    return warnings;
}

} // namespace quillax
