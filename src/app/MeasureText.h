#pragma once

#include "document/ObjectDocument.h"
#include "view/ViewNavigation.h"

#include <QString>

#include <optional>

namespace quillax {

// The readout's measure line: how far a drag under way has moved the grabbed point ("Moved: (5, -3),
// 5.8309517"); else, with two points of the chosen mesh marked, their distance and the angle of the
// line from the first to the second ("Distance: 5 at 36.869896°", short enough for the readout's width); else
// nothing.
QString MeasureText(const ObjectDocument& document, std::optional<ModelPoint> dragged);

} // namespace quillax
