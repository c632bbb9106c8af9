#include "browse/StripState.h"

#include "platform/RuntimeError.h"

#include <algorithm>
#include <string>

namespace quillax {

bool GrowStrip(ElementArray<BoxElement>& strip, int32_t unselectedColour) {
    const bool created = !strip.IsEmpty();
    BoxElement& box = NextElement(strip);
    if (created) {
        box.BackColor = unselectedColour;
    }
    box.Visible = true;
    return created;
}

void ShrinkStrip(ElementArray<BoxElement>& strip) {
    DropLastElement(strip);
}

void ToggleBox(std::vector<int16_t>& flags, int16_t index, ElementArray<BoxElement>& strip,
               BoxColours colours) {
    if (index < 0 || static_cast<size_t>(index) >= flags.size()) {
        RaiseError(ErrNo::SubscriptOutOfRange, "flag " + std::to_string(index));
    }
    int16_t& flag = flags[static_cast<size_t>(index)];
    BoxElement& box = strip(index);
    const bool wasSet = flag != 0;
    box.BackColor = wasSet ? colours.Unselected : colours.Selected;
    flag = wasSet ? 0 : -1;
}

void PaintBoxes(const std::vector<int16_t>& flags, ElementArray<BoxElement>& strip, BoxColours colours) {
    const int64_t count = std::min<int64_t>(strip.Count(), static_cast<int64_t>(flags.size()));
    for (int64_t k = 0; k < count; ++k) {
        strip(k).BackColor = flags[static_cast<size_t>(k)] != 0 ? colours.Selected : colours.Unselected;
    }
}

} // namespace quillax
