#pragma once

#include "app/StripFlow.h"

#include <cstdint>

namespace quillax {

// Beyond this many rows (columns) a strip keeps this size and scrolls, so that a large mesh leaves
// the drawing area and the controls on screen.
inline constexpr int32_t MaxStripLines = 10;

// What the panel arrangement reads besides the two flows, in pixels.
struct PanelInput {
    float ScaleWidth = 0;
    float ScaleHeight = 0;
    float TopBarTop = 0;
    float SideBarLeft = 0;
    float FrameWidth = 0;
    float FrameHeight = 0;
};

// Where the panels go, in pixels, and the window's new minimum outer height. Sizes are never
// negative: a window too small for its panels gets empty ones.
struct PanelGeometry {
    float TopBarWidth = 0;
    float TopBarHeight = 0;
    float SideBarTop = 0;
    float SideBarWidth = 0;
    float SideBarHeight = 0;
    float FrameLeft = 0;
    float FrameTop = 0;
    float MainLeft = 0;
    float MainTop = 0;
    float MainWidth = 0;
    float MainHeight = 0;
    float MinHeight = 0;
};

// Sizes the strips' panels to their flows, docks the control frame at the right and fits the
// drawing area into what is left, in single precision.
PanelGeometry ArrangePanelGeometry(const PanelInput& input, const FlowEnd& rows, const FlowEnd& columns);

// The extent a scrolling line strip flows its columns in: its own panel, above its scroll bar, so every
// box can be scrolled to (the designed flow measures the window's height and may hide the lowest boxes).
float ScrollingColumnsExtent(float scaleHeight, float sideBarTop, float scrollBar);

// Whether a window of the given outer height in twips is shorter than minHeight pixels.
bool BelowMinimumHeight(float heightTwips, float twipsPerPixelY, float minHeight);

// A window's outer height in twips from its height in pixels.
float HeightInTwips(int32_t pixels, float twipsPerPixelY);

// The outer height in pixels that a new Height in twips gives a window now `pixels` high: the
// nearest pixel, but never the same pixel for a different Height, so that a step smaller than a
// pixel still moves the window.
int32_t HeightInPixels(float twips, float twipsPerPixelY, int32_t pixels);

} // namespace quillax
