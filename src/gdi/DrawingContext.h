#pragma once

#include "gdi/GdiTypes.h"

#include <cstdint>

class QImage;

namespace quillax {

// A drawing context: a memory context draws into the bitmap selected into it, an image context
// into a caller-owned QImage, and the screen's context only serves as a reference for new bitmaps.
struct DrawingContext {
    enum class Target { Memory, Image, Screen };

    Target Kind = Target::Memory;
    uint32_t Selected = 0;
    QImage* Image = nullptr;
    // Where the pixels are: for a memory context the selected bitmap's, kept from selection on (a
    // selected bitmap cannot be deleted); for an image context the image's as last seen, together
    // with the image's cache key at that moment.
    PixelPlane Plane;
    int64_t ImageKey = -1;
};

} // namespace quillax
