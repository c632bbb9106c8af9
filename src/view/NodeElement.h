#pragma once

#include <cstdint>

namespace quillax {

// The properties of one point marker: a filled circle inscribed in Left, Top, Width, Height (pixels
// of the drawing area), FillColor inside a one-pixel BorderColor outline. Defaults are Node(0) as
// designed. Pools store none of them; a MarkerSource gives them.
struct NodeElement {
    float Left = 0;
    float Top = 0;
    float Width = 5;
    float Height = 5;
    int32_t FillColor = 192;
    int32_t BorderColor = 192;
    bool Visible = false;
};

} // namespace quillax
