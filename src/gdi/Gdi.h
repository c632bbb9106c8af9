#pragma once

#include "gdi/GdiTypes.h"

#include <cstdint>

namespace quillax {

// The drawing layer's calls, named and shaped as the designed platform's. Handles are 32-bit, 0 is
// none; a handle that does not exist (never made, already deleted, or of another kind) is refused
// with result 0, never dereferenced. Single-threaded, like the window that uses it.

// A new memory drawing context; reference is 0 (the screen) or an existing context.
uint32_t CreateCompatibleDC(uint32_t reference);
// A new black device bitmap, without addressable bits; 0 when the size cannot be had.
uint32_t CreateCompatibleBitmap(uint32_t context, int32_t width, int32_t height);
// Selects a bitmap into a memory context and returns the one it replaces (0 when there was none or
// on failure). A bitmap is selected into one context at a time.
uint32_t SelectObject(uint32_t context, uint32_t object);
// Frees a context; the bitmap selected into it is left alone.
int32_t DeleteDC(uint32_t context);
// Frees a bitmap; refused while it is selected into a context.
int32_t DeleteObject(uint32_t object);
// Fills a BITMAP record (size at least BitmapRecordSize); returns BitmapRecordSize, or 0.
int32_t GetObjectA(uint32_t object, int32_t size, BITMAP* record);
// Copies a width x height block from (sx, sy) of the source to (x, y) of the destination, clipped
// to both. Only SRCCOPY is offered.
int32_t BitBlt(uint32_t destination, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t source,
               int32_t sx, int32_t sy, uint32_t operation);
uint32_t GetDesktopWindow();
// The screen's drawing context, lent until ReleaseDC; it only serves as a reference.
uint32_t GetDC(uint32_t window);
int32_t ReleaseDC(uint32_t window, uint32_t context);

// For the picture services: a new black 24-bit DIB with addressable bits (0 when it cannot be had),
// and where a bitmap's pixels are.
uint32_t CreateDibBitmap24(int32_t width, int32_t height);
bool GetBitmapPlane(uint32_t bitmap, PixelPlane& plane);
// Copies a row of pixels between 3 and 4 bytes a pixel: the first three (blue, green, red) are kept;
// a new fourth is opaque.
void ConvertRow(uint8_t* to, int32_t toBytes, const uint8_t* from, int32_t fromBytes, int64_t pixels);

} // namespace quillax
