#pragma once

#include "platform/ByteArray1D.h"
#include "platform/ByteArray2D.h"
#include "platform/ByteView2D.h"

#include <cstdint>

namespace quillax {

// The copies behind the pixel-array operations. Each walks byte columns x (outer) and scan lines y
// (inner) as designed, and where an index lies outside an array it stores exactly the bytes that
// walk stores before the first bad index, then raises subscript out of range (9). Where every index
// is in range they copy whole rows at once.

// target(x, y) = view(x, y) for x < columns, y < rows; target is sized at least columns x rows from 0.
void CopyViewToArray(const ByteView2D& view, ByteArray2D& target, int32_t columns, int32_t rows);
// target(x * rows + y) = view(x, y); target is sized columns x rows from 0.
void CopyViewToColumns(const ByteView2D& view, ByteArray1D& target, int32_t columns, int32_t rows);
// Stores source into the view one pixel (3 bytes, highest first) at a time: pixels whose first
// byte lies beyond source's first upper bound become black. columns is 3 x the image width.
void StoreArrayToView(const ByteArray2D& source, const ByteView2D& view, int32_t columns, int32_t rows);
// Fills target (zero bytes from 0) column by column from source, starting at source(0); the bytes
// after source's last element stay 0. A source ending at -1 fills nothing; one ending below -1 or
// starting above 0 lacks element 0 (9); one ending at the largest index overflows the walk (6).
void FillFromColumns(const ByteArray1D& source, ByteArray2D& target);

} // namespace quillax
