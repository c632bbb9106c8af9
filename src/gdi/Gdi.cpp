#include "gdi/Gdi.h"

#include "gdi/Bitmap.h"
#include "gdi/DrawingContext.h"
#include "gdi/HandleTable.h"

#include <QImage>

#include <bit>
#include <cstring>

namespace quillax {

namespace {
// Pixels are read and written as whole words, blue in the lowest byte.
static_assert(std::endian::native == std::endian::little);

constexpr uint32_t DesktopWindow = 0x00010010;

// Holds a value that is made before any code runs and never destroyed, so pictures released during
// shut-down still find the tables, and a lookup needs no first-use check.
template <typename T> union Everlasting {
    constexpr Everlasting() : Value() {}
    ~Everlasting() {}
    T Value;
};

constinit Everlasting<HandleTable<DrawingContext, 1>> ContextTable;
constinit Everlasting<HandleTable<Bitmap, 2>> BitmapTable;

inline HandleTable<DrawingContext, 1>& Contexts() {
    return ContextTable.Value;
}

inline HandleTable<Bitmap, 2>& Bitmaps() {
    return BitmapTable.Value;
}

bool IsFourByteFormat(QImage::Format format) {
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
           format == QImage::Format_ARGB32_Premultiplied;
}

// Asking the image for its geometry on every copy would cost more than a small copy itself, so it
// is kept. The image's cache key changes whenever its data is replaced or written through any other
// path (each of which detaches it first), so an unchanged key on an unshared image means the kept
// geometry still holds; otherwise the bits are taken afresh, which also unshares them.
const PixelPlane* RenewImagePlane(DrawingContext& context) {
    QImage& image = *context.Image;
    uint8_t* bits = image.bits();
    if (bits == nullptr || !IsFourByteFormat(image.format())) {
        context.ImageKey = -1;
        return nullptr;
    }
    context.Plane = {bits, image.bytesPerLine(), image.width(), image.height(), 4};
    context.ImageKey = image.cacheKey();
    return &context.Plane;
}

// The context's pixels, or nullptr when it has none; kept in the context, so a copy of a few pixels
// neither asks the bitmap nor copies the plane.
inline const PixelPlane* ContextPlane(uint32_t handle) {
    DrawingContext* context = Contexts().Find(handle);
    if (context == nullptr) {
        return nullptr;
    }
    switch (context->Kind) {
    case DrawingContext::Target::Memory:
        return context->Selected != 0 ? &context->Plane : nullptr;
    case DrawingContext::Target::Image:
        if (context->Image->cacheKey() == context->ImageKey && context->Image->isDetached()) {
            return &context->Plane;
        }
        return RenewImagePlane(*context);
    default:
        return nullptr;
    }
}

// The planes of the last pair of memory contexts copied between. A grid copies its tile hundreds of
// thousands of times between the same two contexts, and finding both each time would cost as much as
// the copy; selecting into or deleting any context forgets the pair. Image contexts are never kept:
// their image may move at any time.
struct CopyRoute {
    bool Known = false;
    uint32_t Destination = 0;
    uint32_t Source = 0;
    PixelPlane To;
    PixelPlane From;
};

constinit CopyRoute Route;

bool IsMemoryContext(uint32_t handle) {
    const DrawingContext* context = Contexts().Find(handle);
    return context != nullptr && context->Kind == DrawingContext::Target::Memory;
}

// The two contexts' planes, or false when either has none.
bool FindRoute(uint32_t destination, uint32_t source, const PixelPlane*& to, const PixelPlane*& from) {
    if (Route.Known && Route.Destination == destination && Route.Source == source) {
        to = &Route.To;
        from = &Route.From;
        return true;
    }
    to = ContextPlane(destination);
    from = to != nullptr ? ContextPlane(source) : nullptr;
    if (from == nullptr) {
        return false;
    }
    if (IsMemoryContext(destination) && IsMemoryContext(source)) {
        Route = {true, destination, source, *to, *from};
    }
    return true;
}

uint8_t* PixelAt(const PixelPlane& plane, int64_t x, int64_t y) {
    return plane.Top + y * plane.Step + x * plane.BytesPerPixel;
}

// A row of a grid tile is a few bytes: moved as two overlapping words (both read before either is
// written, so the rows may overlap) instead of through a library call.
void MoveRow(uint8_t* to, const uint8_t* from, size_t bytes) {
    if (bytes >= 8 && bytes <= 16) {
        uint64_t head, tail;
        std::memcpy(&head, from, 8);
        std::memcpy(&tail, from + bytes - 8, 8);
        std::memcpy(to, &head, 8);
        std::memcpy(to + bytes - 8, &tail, 8);
    } else if (bytes >= 4 && bytes < 8) {
        uint32_t head, tail;
        std::memcpy(&head, from, 4);
        std::memcpy(&tail, from + bytes - 4, 4);
        std::memcpy(to, &head, 4);
        std::memcpy(to + bytes - 4, &tail, 4);
    } else {
        std::memmove(to, from, bytes);
    }
}

// 24-bit blue-green-red to 32-bit, one word read and one written a pixel: every pixel but the last is
// read with the next pixel's first byte, the last with the byte before it, so no read leaves the row.
void ExpandRow(uint8_t* to, const uint8_t* from, int64_t pixels) {
    uint32_t pixel;
    if (pixels == 1) {
        pixel = static_cast<uint32_t>(from[2]) << 16 | static_cast<uint32_t>(from[1]) << 8 | from[0];
    } else {
        for (int64_t i = 0; i < pixels - 1; ++i, to += 4, from += 3) {
            std::memcpy(&pixel, from, 4);
            pixel |= 0xFF000000u;
            std::memcpy(to, &pixel, 4);
        }
        std::memcpy(&pixel, from - 1, 4);
        pixel >>= 8;
    }
    pixel |= 0xFF000000u;
    std::memcpy(to, &pixel, 4);
}

void PackRow(uint8_t* to, const uint8_t* from, int64_t pixels) {
    for (int64_t i = 0; i < pixels; ++i, to += 3, from += 4) {
        to[0] = from[0];
        to[1] = from[1];
        to[2] = from[2];
    }
}

// Moves a destination/source start pair right until neither is negative, and cuts the length to
// what both sides hold.
inline void Clip(int64_t& to, int64_t& from, int64_t& length, int64_t toSize, int64_t fromSize) {
    int64_t shift = to < 0 ? -to : 0;
    if (from < -shift) {
        shift = -from;
    }
    to += shift;
    from += shift;
    length -= shift;
    if (length > toSize - to) {
        length = toSize - to;
    }
    if (length > fromSize - from) {
        length = fromSize - from;
    }
}

// The row walk and the pixel conversion are chosen once per block: a grid tile is a few pixels, so
// what is done per row is what the copy costs.
// BitBlt is its only caller on purpose: with a second one (the picture services' whole-plane
// conversions) the compiler stops inlining it there and the grid's copies run 7-12 % slower.
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
    if (to.BytesPerPixel == from.BytesPerPixel) {
        const auto bytes = static_cast<size_t>(width * to.BytesPerPixel);
        for (int64_t row = 0; row < height; ++row, target += targetStep, source += sourceStep) {
            MoveRow(target, source, bytes);
        }
    } else if (to.BytesPerPixel == 4) {
        for (int64_t row = 0; row < height; ++row, target += targetStep, source += sourceStep) {
            ExpandRow(target, source, width);
        }
    } else {
        for (int64_t row = 0; row < height; ++row, target += targetStep, source += sourceStep) {
            PackRow(target, source, width);
        }
    }
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
    if (target == nullptr || bitmap == nullptr || target->Kind != DrawingContext::Target::Memory ||
        (bitmap->SelectedInto != 0 && bitmap->SelectedInto != context)) {
        return 0;
    }
    Route = {};
    const uint32_t previous = target->Selected;
    if (Bitmap* old = Bitmaps().Find(previous)) {
        old->SelectedInto = 0;
    }
    target->Selected = object;
    target->Plane = bitmap->Plane();
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
    Route = {};
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

int32_t BitBlt(uint32_t destination, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t source,
               int32_t sx, int32_t sy, uint32_t operation) {
    if (operation != SRCCOPY) {
        return 0;
    }
    const PixelPlane* to;
    const PixelPlane* from;
    if (!FindRoute(destination, source, to, from)) {
        return 0;
    }
    int64_t toX = x, toY = y, fromX = sx, fromY = sy, columns = width, rows = height;
    Clip(toX, fromX, columns, to->Width, from->Width);
    Clip(toY, fromY, rows, to->Height, from->Height);
    if (columns > 0 && rows > 0) {
        CopyBlock(*to, toX, toY, *from, fromX, fromY, columns, rows);
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
    return Contexts().Add(DrawingContext{DrawingContext::Target::Screen, 0, nullptr, {}, -1});
}

int32_t ReleaseDC(uint32_t, uint32_t context) {
    const DrawingContext* target = Contexts().Find(context);
    if (target == nullptr || target->Kind != DrawingContext::Target::Screen) {
        return 0;
    }
    return Contexts().Remove(context) ? 1 : 0;
}

uint32_t CreateImageDC(QImage* target) {
    if (target == nullptr) {
        return 0;
    }
    return Contexts().Add(DrawingContext{DrawingContext::Target::Image, 0, target, {}, -1});
}

} // namespace quillax
