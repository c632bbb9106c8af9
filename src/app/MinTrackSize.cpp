#include "app/MinTrackSize.h"

#include "platform/Numeric.h"

#include <algorithm>
#include <limits>

namespace quillax {

namespace {
// Minimum sizes far beyond any screen are held at the largest a size can carry: the query is
// answered inside the window system's sizing, where no error may escape.
int TrackSize(float size) {
    constexpr double Largest = std::numeric_limits<int>::max();
    return static_cast<int>(RoundHalfEven(std::min(static_cast<double>(size), Largest)));
}
} // namespace

QSize MinTrackSize(QSize platformMinimum, float minWidth, float minHeight) {
    return QSize(minWidth > 0 ? TrackSize(minWidth) : platformMinimum.width(),
                 minHeight > 0 ? TrackSize(minHeight) : platformMinimum.height());
}

} // namespace quillax
