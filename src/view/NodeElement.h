#pragma once

#include "view/MarkerColour.h"
#include "view/MarkerPool.h"

#include <cstdint>

namespace quillax {

// One point marker: a filled circle inscribed in Left, Top, Width, Height (pixels of the drawing
// area), FillColor inside a one-pixel BorderColor outline. Defaults are Node(0) as designed.
// Packed, 23 bytes: an object holds one for every point, and the fields are only ever used by value.
struct [[gnu::packed]] NodeElement {
    float Left = 0;
    float Top = 0;
    float Width = 5;
    float Height = 5;
    MarkerColour FillColor = 192;
    MarkerColour BorderColor = 192;
    bool Visible = false;
};

static_assert(sizeof(NodeElement) == 23);

using NodePool = MarkerPool<NodeElement>;

} // namespace quillax
