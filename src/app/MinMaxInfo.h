#pragma once

#include <cstdint>

namespace quillax {

struct POINTAPI {
    int32_t x = 0;
    int32_t y = 0;
};

// The record of the window system's size query, in pixels of the window's outer size.
struct MINMAXINFO {
    POINTAPI ptReserved;
    POINTAPI ptMaxSize;
    POINTAPI ptMaxPosition;
    POINTAPI ptMinTrackSize;
    POINTAPI ptMaxTrackSize;
};
static_assert(sizeof(MINMAXINFO) == 40);

// Answers the size query: the minimum tracking size becomes minWidth by minHeight, each rounded to
// the nearest integer, halves to even. A value that is not above 0 (0, negative, not a number)
// leaves the platform's minimum for that dimension; nothing else of the record changes.
void AnswerMinMaxInfo(MINMAXINFO& info, float minWidth, float minHeight);

} // namespace quillax
