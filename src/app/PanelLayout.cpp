#include "app/PanelLayout.h"

#include "platform/Numeric.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quillax {

namespace {
// A size the toolkit would refuse (negative, or not a number) is written as 0.
float NotNegative(float size) {
    return size > 0 ? size : 0.0f;
}
} // namespace

PanelGeometry ArrangePanelGeometry(const PanelInput& input, const FlowEnd& rows, const FlowEnd& columns) {
    PanelGeometry g;
    g.TopBarHeight = NotNegative(rows.PanelSize());
    g.SideBarWidth = NotNegative(columns.PanelSize());
    g.FrameLeft = input.ScaleWidth - input.FrameWidth - 7.0f;
    g.FrameTop = g.TopBarHeight + input.TopBarTop + 4.0f;
    g.MainTop = g.TopBarHeight + input.TopBarTop + 6.0f;
    g.MainLeft = g.SideBarWidth + input.SideBarLeft + 6.0f;
    g.MainWidth = NotNegative(g.FrameLeft - g.MainLeft - 8.0f);
    g.MainHeight = NotNegative(input.ScaleHeight - g.MainTop - 5.0f);
    g.TopBarWidth = NotNegative(input.ScaleWidth);
    g.SideBarTop = g.TopBarHeight + input.TopBarTop;
    g.SideBarHeight = NotNegative(input.ScaleHeight - g.SideBarTop);
    g.MinHeight = input.FrameHeight + g.FrameTop + 60.0f;
    return g;
}

float ScrollingColumnsExtent(float scaleHeight, float sideBarTop, float scrollBar) {
    constexpr float DesignedSideBarTop = 24;
    return scaleHeight - (sideBarTop - DesignedSideBarTop) - scrollBar;
}

bool BelowMinimumHeight(float heightTwips, float twipsPerPixelY, float minHeight) {
    return heightTwips / twipsPerPixelY < minHeight;
}

float HeightInTwips(int32_t pixels, float twipsPerPixelY) {
    return ToSingle(static_cast<double>(pixels) * twipsPerPixelY);
}

int32_t HeightInPixels(float twips, float twipsPerPixelY, int32_t pixels) {
    constexpr double Largest = std::numeric_limits<int32_t>::max();
    const double exact = static_cast<double>(twips) / twipsPerPixelY;
    if (std::isnan(exact)) {
        return pixels;
    }
    const float now = HeightInTwips(pixels, twipsPerPixelY);
    double rounded = RoundHalfEven(std::clamp(exact, -Largest, Largest));
    if (rounded == pixels && twips != now) {
        rounded += twips > now ? 1 : -1;
    }
    return static_cast<int32_t>(std::clamp(rounded, -Largest, Largest));
}

} // namespace quillax
