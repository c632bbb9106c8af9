#pragma once

#include "browse/BoxElement.h"
#include "platform/ElementArray.h"

#include <cstdint>

namespace quillax {

// The two colours of a strip's boxes (red in the low byte).
struct BoxColours {
    int32_t Unselected;
    int32_t Selected;
};

inline constexpr BoxColours PointBoxColours{128, 33023};
inline constexpr BoxColours LineBoxColours{32768, 12288000};

// The colour a box shows: that of its mark.
constexpr int32_t BoxColour(BoxColours colours, bool marked) {
    return marked ? colours.Selected : colours.Unselected;
}

// Adds one box. An empty strip only shows box 0, as it is; otherwise a new last box copies box 0.
// True when a box was created, which is when the layout has to run.
bool GrowStrip(ElementArray<BoxElement>& strip);

// Destroys the last box, or hides box 0 when it is the only one.
void ShrinkStrip(ElementArray<BoxElement>& strip);

} // namespace quillax
