#pragma once

#include "document/ObjectDocument.h"
#include "document/PointTransforms.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quillax {

// Turning, scaling, flipping and placing the points of the chosen mesh, each one step on the
// document: the marked points, or every point when none is marked. A result that no float holds is
// refused in a message box and changes nothing.

// What turns, scales and flips are made about.
enum class TransformAbout { MarkedPoints, ObjectCentre };

void RotatePoints(ObjectDocument& document, double degrees, TransformAbout about);
void ScalePoints(ObjectDocument& document, double factorX, double factorY, TransformAbout about);
void FlipPoints(ObjectDocument& document, bool horizontally, TransformAbout about);

// The marked points moved so that the one marked point, or the centre of their bounds, is at x
// (when given) and y (when given).
void MovePointsTo(ObjectDocument& document, std::optional<float> x, std::optional<float> y);
void MoveObjectCentre(ObjectDocument& document, float x, float y);

// The marked points of the chosen mesh (or all its points) through the map made about the pivot
// `about` names, as one step named by the verb.
void TransformChosen(ObjectDocument& document, const std::string& verb, TransformAbout about,
                     const std::function<PointMap(PlanePoint pivot)>& mapAbout);
// Points of the chosen mesh moved through `map` as one step ("Rotate 3 Points" for the verb
// "Rotate"); refused, naming the point, when a result is no finite float.
void MapChosenPoints(ObjectDocument& document, const std::string& verb, const std::vector<int32_t>& points,
                     const PointMap& map);

} // namespace quillax
