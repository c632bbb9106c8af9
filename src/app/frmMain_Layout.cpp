#include "app/frmMain.h"

#include "app/PanelLayout.h"
#include "app/modWinSize.h"
#include "browse/SelectorStrip.h"
#include "drawingarea/DrawingArea.h"
#include "platform/Numeric.h"

#include <QGroupBox>
#include <QMenuBar>
#include <QScopedValueRollback>
#include <QScreen>
#include <QStyle>

#include <algorithm>

namespace quillax {

namespace {
constexpr float GrowthStepTwips = 10;

// A layout value as a widget coordinate.
int Pixels(float value) {
    return std::clamp(RoundSaturated<int>(value), -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

// Most runs leave a panel where it was; the toolkit does real work even for an unchanged geometry.
void Place(QWidget* widget, int left, int top, int width, int height) {
    const QRect geometry(left, top, width, height);
    if (widget->geometry() != geometry) {
        widget->setGeometry(geometry);
    }
}
} // namespace

void frmMain::ArrangePanels() {
    const auto scrollBar = static_cast<float>(style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    const bool pointsScroll = PointRows.LinesFor(picPoint, ScaleWidth()) > MaxStripLines;
    const FlowEnd rows = PointRows.Run(picPoint, ScaleWidth() - (pointsScroll ? scrollBar : 0.0f));
    const FlowEnd shownRows = pointsScroll ? FlowOfLines(rows, MaxStripLines) : rows;
    const float sideBarTop = static_cast<float>(picTopBar->y()) + shownRows.PanelSize();
    const bool linesScroll = LineColumns.LinesFor(picLine, ScaleHeight()) > MaxStripLines;
    const FlowEnd columns = LineColumns.Run(
        picLine, linesScroll ? ScrollingColumnsExtent(ScaleHeight(), sideBarTop, scrollBar) : ScaleHeight());
    const FlowEnd shownColumns = linesScroll ? FlowOfLines(columns, MaxStripLines) : columns;
    const PanelInput input{ScaleWidth(),
                           ScaleHeight(),
                           static_cast<float>(picTopBar->y()),
                           static_cast<float>(picSideBar->x()),
                           static_cast<float>(frameControls->width()),
                           static_cast<float>(frameControls->height())};
    const PanelGeometry g = ArrangePanelGeometry(input, shownRows, shownColumns);
    Place(picTopBar, picTopBar->x(), picTopBar->y(), Pixels(g.TopBarWidth), Pixels(g.TopBarHeight));
    Place(picSideBar, picSideBar->x(), Pixels(g.SideBarTop), Pixels(g.SideBarWidth), Pixels(g.SideBarHeight));
    Place(frameControls, Pixels(g.FrameLeft), Pixels(g.FrameTop), frameControls->width(),
          frameControls->height());
    Place(picMain, Pixels(g.MainLeft), Pixels(g.MainTop), Pixels(g.MainWidth), Pixels(g.MainHeight));
    MinHeight = g.MinHeight;
    if (BelowMinimumHeight(Height(), TwipsPerPixelY(), MinHeight)) {
        SetHeight(Height() + GrowthStepTwips);
    }
}

float frmMain::TwipsPerPixelY() const {
    return ToSingle(1440.0 / screen()->logicalDotsPerInchY());
}

float frmMain::Height() const {
    return HeightInTwips(frameGeometry().height(), TwipsPerPixelY());
}

// The new size reaches the inner area, and so Form_Resize, before this returns: the toolkit sends a
// shown window's resize at once; for a hidden one it waits for the show, so the inner area is
// placed and Form_Resize run here.
void frmMain::SetHeight(float twips) {
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) {
        return;
    }
    const int outer = frameGeometry().height();
    const int target = std::min(HeightInPixels(twips, TwipsPerPixelY(), outer), MaxTrackSize(*this).height());
    const int before = height();
    const QScopedValueRollback<bool> growing(Growing, true);
    resize(width(), before + target - outer);
    if (height() != before && !isVisible()) {
        PlaceInner();
        RunHandler([this] { Form_Resize(); });
    }
}

// The inner area fills the window below its menu bar. The window places it itself: the main
// window's own layout places its central widget through a zero-length animation that, when the
// growth step resizes the window from inside that placing, puts the old size back afterwards.
void frmMain::PlaceInner() {
    const int menuHeight = menuBar()->heightForWidth(width());
    const int top = menuHeight > 0 ? menuHeight : menuBar()->sizeHint().height();
    Inner->setGeometry(0, top, width(), std::max(0, height() - top));
}

} // namespace quillax
