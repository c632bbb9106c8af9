#pragma once

#include "objectsvg/SvgOutline.h"

#include <string_view>

namespace quillax {

// Draws a path's data into outline: M, L, H, V and Z, absolute and relative, and with the outline's
// tolerance the curves C, S, Q, T and A. Throws an SvgShapeError naming the command and the character
// where the data stops making sense, or the curve when curves are not taken.
void DrawPathData(std::string_view data, SvgOutline& outline);

// A points attribute's pairs, as polyline and polygon give them.
void DrawPointList(std::string_view points, SvgOutline& outline, bool closed);

} // namespace quillax
