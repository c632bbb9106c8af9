#include "view/MeshColour.h"

#include "platform/Numeric.h"

namespace quillax {

namespace {
int32_t Component(float intensity, int16_t factor) {
    return RoundSaturated<uint8_t>(static_cast<double>(intensity) * factor);
}
} // namespace

int16_t ColourFactor(int32_t meshIndex, int32_t listIndex) {
    return meshIndex == listIndex ? ChosenFactor : DimmedFactor;
}

int32_t MeshColour(float red, float green, float blue, int16_t factor) {
    return Component(red, factor) + 256 * Component(green, factor) + 65536 * Component(blue, factor);
}

} // namespace quillax
