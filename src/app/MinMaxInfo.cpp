#include "app/MinMaxInfo.h"

#include "platform/Numeric.h"

#include <algorithm>
#include <limits>

namespace quillax {

namespace {
// Minimum sizes far beyond any screen are held at the largest the record can carry: the query is
// answered inside the window system's sizing, where no error may escape.
int32_t TrackSize(float size) {
    constexpr double Largest = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(RoundHalfEven(std::min(static_cast<double>(size), Largest)));
}
} // namespace

void AnswerMinMaxInfo(MINMAXINFO& info, float minWidth, float minHeight) {
    if (minWidth > 0) {
        info.ptMinTrackSize.x = TrackSize(minWidth);
    }
    if (minHeight > 0) {
        info.ptMinTrackSize.y = TrackSize(minHeight);
    }
}

} // namespace quillax
