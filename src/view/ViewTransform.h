#pragma once

#include "modObjects.h"

#include <cstdint>

// The inputs of the one mapping from model units to drawing-area pixels, read once per command.
struct ViewTransform {
    float Scale = 4;
    float CentreX = 0;
    float CentreY = 0;
    float PositionX = 0;
    float PositionY = 0;
    double SinAngle = 0;
    double CosAngle = 1;
    int16_t OffsetX = 0;
    int16_t OffsetY = 0;
    int16_t Width = 0;
    int16_t Height = 0;
};

// A drawing-area position: whole pixels. Within the 16-bit range exactly the designed result;
// beyond it the same arithmetic in a wider type; NaN when the point has no position.
struct ScreenPoint {
    double X;
    double Y;
};

ViewTransform MakeViewTransform(const ObjectFile& object, const ObjectPlacement& placement, double angle,
                                float viewScale, int16_t offsetX, int16_t offsetY, int16_t width,
                                int16_t height);

ScreenPoint ModelToScreen(const ViewTransform& view, float x, float y);
