#pragma once

#include <cstdint>

namespace quillax {

// Brightness factors: the chosen mesh in full colour, every other at a quarter.
inline constexpr int16_t ChosenFactor = 255;
inline constexpr int16_t DimmedFactor = 64;

// The factor for mesh meshIndex when listIndex is the entry chosen in the mesh list (-1: none).
int16_t ColourFactor(int32_t meshIndex, int32_t listIndex);

// red + 256 x green + 65536 x blue, each component its intensity times factor, rounded halves to
// even and held within 0 .. 255 (a NaN component gives 0).
int32_t MeshColour(float red, float green, float blue, int16_t factor);

inline constexpr int32_t White = 0xFFFFFF;

} // namespace quillax
