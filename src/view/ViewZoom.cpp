#include "ViewZoom.h"

#include "Numeric.h"

#include <algorithm>
#include <cmath>
#include <limits>

float ZoomedIn(float viewScale) {
    const double zoomed = static_cast<double>(viewScale) * 1.25;
    return zoomed <= std::numeric_limits<float>::max() ? ToSingle(zoomed) : viewScale;
}

float ZoomedOut(float viewScale) {
    const double zoomed = static_cast<double>(viewScale) / 1.25;
    return zoomed >= std::numeric_limits<float>::min() ? ToSingle(zoomed) : viewScale;
}

int16_t GridCellSize(int16_t gridSpacing, float viewScale) {
    const double cell = RoundHalfEven(static_cast<double>(ToSingle(gridSpacing)) * viewScale);
    if (std::isnan(cell)) {
        return 0;
    }
    return static_cast<int16_t>(
        std::clamp<double>(cell, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()));
}
