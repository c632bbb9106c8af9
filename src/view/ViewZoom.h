#pragma once

#include <cstdint>

// One click of "+" or "--": the zoom times or divided by 1.25, computed in double and stored in
// single precision, so rounding accumulates from step to step. No bound either way.
float ZoomedIn(float viewScale);
float ZoomedOut(float viewScale);

// The grid cell edge in pixels: the spacing times the zoom, rounded halves to even. Beyond the 16-bit
// range (a zoom of thousands) it is held at 32767 and a NaN zoom gives 0, so a redraw never fails on it.
int16_t GridCellSize(int16_t gridSpacing, float viewScale);
