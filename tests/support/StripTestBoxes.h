#pragma once

#include "browse/BoxElement.h"
#include "browse/StripGeometry.h"
#include "platform/ElementArray.h"

namespace quillax {

// A strip of count shown boxes flowed on the designed 20-pixel pitch, perLine to a row or column.
inline ElementArray<BoxElement> FlowedStrip(int count, BoxFlow flow, int perLine) {
    ElementArray<BoxElement> strip(BoxElement{0, 0, 17, 17, true});
    for (int k = 0; k < count; ++k) {
        if (k > 0) {
            strip.Load(k);
        }
        BoxElement& box = strip(k);
        const float along = static_cast<float>(1 + 20 * (k % perLine));
        const float across = static_cast<float>(1 + 20 * (k / perLine));
        box.Left = flow == BoxFlow::Rows ? along : across;
        box.Top = flow == BoxFlow::Rows ? across : along;
        box.Visible = true;
    }
    return strip;
}

} // namespace quillax
