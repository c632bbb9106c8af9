#pragma once

#include <cstdint>

namespace quillax {

// One selector box of a strip, in pixels of its panel. Defaults are box 0 as designed; the back
// colour differs per strip.
struct BoxElement {
    float Left = 0;
    float Top = 0;
    float Width = 17;
    float Height = 17;
    int32_t BackColor = 0;
    bool Visible = false;

    bool operator==(const BoxElement&) const = default;
};

} // namespace quillax
