#pragma once

#include <cstdint>

class QImage;

// A drawing context: a memory context draws into the bitmap selected into it, an image context
// into a caller-owned QImage, and the screen's context only serves as a reference for new bitmaps.
struct DrawingContext {
    enum class Target { Memory, Image, Screen };

    Target Kind = Target::Memory;
    uint32_t Selected = 0;
    QImage* Image = nullptr;
};
