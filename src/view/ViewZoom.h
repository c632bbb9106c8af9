#pragma once

#include <cstdint>

namespace quillax {

// One click of "+" or "--": the zoom times or divided by 1.25, computed in double and stored in
// single precision, so rounding accumulates from step to step. A step that would leave the normal
// single range gives the zoom back unchanged: beyond it the zoom would turn infinite, or sink through
// denormals to 0, where the other button could no longer bring it back.
float ZoomedIn(float viewScale);
float ZoomedOut(float viewScale);

// The grid cell edge in pixels: the spacing times the zoom, rounded halves to even. Beyond the 16-bit
// range (a zoom of thousands) it is held at 32767 and a NaN zoom gives 0, so a redraw never fails on it.
int16_t GridCellSize(int16_t gridSpacing, float viewScale);

} // namespace quillax
