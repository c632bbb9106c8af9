#pragma once

#include <cstdint>

namespace quillax {

// A marker's colour property, red + 256 x green + 65536 x blue, held in three bytes: painting uses
// these 24 bits alone, every colour the editor gives a marker is one of them, and an object holds two
// markers for nearly every point. Packed, as the elements that hold it are.
class [[gnu::packed]] MarkerColour {
public:
    constexpr MarkerColour(int32_t colour = 0)
        : Red(static_cast<uint8_t>(colour)), Green(static_cast<uint8_t>(colour >> 8)),
          Blue(static_cast<uint8_t>(colour >> 16)) {}
    constexpr operator int32_t() const { return Red | Green << 8 | Blue << 16; }

private:
    uint8_t Red;
    uint8_t Green;
    uint8_t Blue;
};

} // namespace quillax
