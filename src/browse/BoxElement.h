#pragma once

#include <cstdint>

namespace quillax {

// One selector box of a strip, in pixels of its panel. Defaults are box 0 as designed. Its colour is
// never kept here: the strip paints it from the mark of its point or line.
struct BoxElement {
    float Left = 0;
    float Top = 0;
    float Width = 17;
    float Height = 17;
    bool Visible = false;

    bool operator==(const BoxElement&) const = default;
};

} // namespace quillax
