#include "browse/StripState.h"

namespace quillax {

bool GrowStrip(ElementArray<BoxElement>& strip) {
    const bool created = !strip.IsEmpty();
    NextElement(strip).Visible = true;
    return created;
}

void ShrinkStrip(ElementArray<BoxElement>& strip) {
    DropLastElement(strip);
}

} // namespace quillax
