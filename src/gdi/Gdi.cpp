#include "gdi/Gdi.h"

#include "gdi/Bitmap.h"
#include "gdi/HandleTable.h"

#include <algorithm>
#include <cstring>

namespace quillax {

namespace {
constexpr uint32_t DesktopWindow = 0x00010010;

// A memory context draws into the bitmap selected into it; the screen's context only serves as a
// reference for new bitmaps.
struct DrawingContext {
    bool Screen = false;
    uint32_t Selected = 0;
};

// Holds a value that is made before any code runs and never destroyed, so pictures released during
// shut-down still find the tables, and a lookup needs no first-use check.
template <typename T> union Everlasting {
    constexpr Everlasting() : Value() {}
    ~Everlasting() {}
    T Value;
};

constinit Everlasting<HandleTable<DrawingContext, 1>> ContextTable;
constinit Everlasting<HandleTable<Bitmap, 2>> BitmapTable;

HandleTable<DrawingContext, 1>& Contexts() {
    return ContextTable.Value;
}

HandleTable<Bitmap, 2>& Bitmaps() {
    return BitmapTable.Value;
}

// The pixels of the bitmap selected into a memory context, or false when it has none.
bool ContextPlane(uint32_t handle, PixelPlane& plane) {
    const DrawingContext* context = Contexts().Find(handle);
    return context != nullptr && GetBitmapPlane(context->Selected, plane);
}

uint8_t* PixelAt(const PixelPlane& plane, int64_t x, int64_t y) {
    return plane.Row(y) + x * plane.BytesPerPixel;
}

void CopyBlock(const PixelPlane& to, int64_t x, int64_t y, const PixelPlane& from, int64_t sx, int64_t sy,
               int64_t width, int64_t height) {
    uint8_t* target = PixelAt(to, x, y);
    const uint8_t* source = PixelAt(from, sx, sy);
    ptrdiff_t targetStep = to.Step;
    ptrdiff_t sourceStep = from.Step;
    // Within one bitmap, rows are taken in the order that never reads a row already overwritten.
    if (to.Top == from.Top && y > sy) {
        target += (height - 1) * targetStep;
        source += (height - 1) * sourceStep;
        targetStep = -targetStep;
        sourceStep = -sourceStep;
    }
    for (int64_t row = 0; row < height; ++row, target += targetStep, source += sourceStep) {
        if (to.BytesPerPixel == from.BytesPerPixel) {
            std::memmove(target, source, static_cast<size_t>(width * to.BytesPerPixel));
        } else {
            ConvertRow(target, to.BytesPerPixel, source, from.BytesPerPixel, width);
        }
    }
}

// Moves a destination/source start pair right until neither is negative, and cuts the length to
// what both sides hold.
void Clip(int64_t& to, int64_t& from, int64_t& length, int64_t toSize, int64_t fromSize) {
    const int64_t shift = std::max<int64_t>({0, -to, -from});
    to += shift;
    from += shift;
    length = std::min({length - shift, toSize - to, fromSize - from});
}
} // namespace

uint32_t CreateCompatibleDC(uint32_t reference) {
    if (reference != 0 && Contexts().Find(reference) == nullptr) {
        return 0;
    }
    return Contexts().Add(DrawingContext{});
}

uint32_t CreateCompatibleBitmap(uint32_t context, int32_t width, int32_t height) {
    if (Contexts().Find(context) == nullptr) {
        return 0;
    }
    Bitmap bitmap = Bitmap::Make(Bitmap::Format::Device, width, height);
    return bitmap.IsEmpty() ? 0 : Bitmaps().Add(std::move(bitmap));
}

uint32_t CreateDibBitmap24(int32_t width, int32_t height) {
    Bitmap bitmap = Bitmap::Make(Bitmap::Format::Dib24, width, height);
    return bitmap.IsEmpty() ? 0 : Bitmaps().Add(std::move(bitmap));
}

uint32_t SelectObject(uint32_t context, uint32_t object) {
    DrawingContext* target = Contexts().Find(context);
    Bitmap* bitmap = Bitmaps().Find(object);
    if (target == nullptr || bitmap == nullptr || target->Screen ||
        (bitmap->SelectedInto != 0 && bitmap->SelectedInto != context)) {
        return 0;
    }
    const uint32_t previous = target->Selected;
    if (Bitmap* old = Bitmaps().Find(previous)) {
        old->SelectedInto = 0;
    }
    target->Selected = object;
    bitmap->SelectedInto = context;
    return previous;
}

int32_t DeleteDC(uint32_t context) {
    const DrawingContext* target = Contexts().Find(context);
    if (target == nullptr) {
        return 0;
    }
    if (Bitmap* bitmap = Bitmaps().Find(target->Selected)) {
        bitmap->SelectedInto = 0;
    }
    return Contexts().Remove(context) ? 1 : 0;
}

int32_t DeleteObject(uint32_t object) {
    const Bitmap* bitmap = Bitmaps().Find(object);
    if (bitmap == nullptr || bitmap->SelectedInto != 0) {
        return 0;
    }
    return Bitmaps().Remove(object) ? 1 : 0;
}

int32_t GetObjectA(uint32_t object, int32_t size, BITMAP* record) {
    const Bitmap* bitmap = Bitmaps().Find(object);
    if (bitmap == nullptr || record == nullptr || size < BitmapRecordSize) {
        return 0;
    }
    *record = bitmap->Record();
    return BitmapRecordSize;
}

bool GetBitmapPlane(uint32_t object, PixelPlane& plane) {
    const Bitmap* bitmap = Bitmaps().Find(object);
    if (bitmap == nullptr) {
        return false;
    }
    plane = bitmap->Plane();
    return true;
}

void ConvertRow(uint8_t* to, int32_t toBytes, const uint8_t* from, int32_t fromBytes, int64_t pixels) {
    for (int64_t i = 0; i < pixels; ++i, to += toBytes, from += fromBytes) {
        std::memcpy(to, from, 3);
        if (toBytes == 4) {
            to[3] = 0xFF;
        }
    }
}

int32_t BitBlt(uint32_t destination, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t source,
               int32_t sx, int32_t sy, uint32_t operation) {
    if (operation != SRCCOPY) {
        return 0;
    }
    PixelPlane to;
    PixelPlane from;
    if (!ContextPlane(destination, to) || !ContextPlane(source, from)) {
        return 0;
    }
    int64_t toX = x, toY = y, fromX = sx, fromY = sy, columns = width, rows = height;
    Clip(toX, fromX, columns, to.Width, from.Width);
    Clip(toY, fromY, rows, to.Height, from.Height);
    if (columns > 0 && rows > 0) {
        CopyBlock(to, toX, toY, from, fromX, fromY, columns, rows);
    }
    return 1;
}

uint32_t GetDesktopWindow() {
    return DesktopWindow;
}

uint32_t GetDC(uint32_t window) {
    if (window != DesktopWindow && window != 0) {
        return 0;
    }
    return Contexts().Add(DrawingContext{true, 0});
}

int32_t ReleaseDC(uint32_t, uint32_t context) {
    const DrawingContext* target = Contexts().Find(context);
    if (target == nullptr || !target->Screen) {
        return 0;
    }
    return Contexts().Remove(context) ? 1 : 0;
}

} // namespace quillax
