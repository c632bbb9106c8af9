#pragma once

#include "browse/BoxElement.h"
#include "platform/ElementArray.h"

#include <cstdint>
#include <vector>

namespace quillax {

// The two colours of a strip's boxes (red in the low byte).
struct BoxColours {
    int32_t Unselected;
    int32_t Selected;
};

inline constexpr BoxColours PointBoxColours{128, 33023};
inline constexpr BoxColours LineBoxColours{32768, 12288000};

// Adds one box. An empty strip only shows box 0, as it is; otherwise a new last box copies box 0 and
// takes the unselected colour. True when a box was created, which is when the layout has to run.
bool GrowStrip(ElementArray<BoxElement>& strip, int32_t unselectedColour);

// Destroys the last box, or hides box 0 when it is the only one.
void ShrinkStrip(ElementArray<BoxElement>& strip);

// Flips flags[index] and gives its box the colour of the new state. The flag decides, never the
// colour, and any non-zero flag is set. An index outside flags, or a box that does not exist, is an
// error raised before anything changes.
void ToggleBox(std::vector<int16_t>& flags, int16_t index, ElementArray<BoxElement>& strip,
               BoxColours colours);

// Gives every box the colour of its flag; boxes without a flag keep theirs.
void PaintBoxes(const std::vector<int16_t>& flags, ElementArray<BoxElement>& strip, BoxColours colours);

} // namespace quillax
