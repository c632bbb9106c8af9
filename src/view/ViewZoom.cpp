#include "view/ViewZoom.h"

#include "platform/Numeric.h"

#include <limits>

namespace quillax {

float ZoomedIn(float viewScale) {
    const double zoomed = static_cast<double>(viewScale) * 1.25;
    return zoomed <= std::numeric_limits<float>::max() ? ToSingle(zoomed) : viewScale;
}

float ZoomedOut(float viewScale) {
    const double zoomed = static_cast<double>(viewScale) / 1.25;
    return zoomed >= std::numeric_limits<float>::min() ? ToSingle(zoomed) : viewScale;
}

int16_t GridCellSize(int16_t gridSpacing, float viewScale) {
    return RoundSaturated<int16_t>(static_cast<double>(ToSingle(gridSpacing)) * viewScale);
}

} // namespace quillax
