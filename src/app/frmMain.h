#pragma once

#include "app/StripFlow.h"
#include "browse/BoxElement.h"
#include "browse/StripState.h"
#include "platform/ElementArray.h"
#include "view/MeshScene.h"

#include "platform/RuntimeError.h"

#include <QMainWindow>

#include <cstdint>
#include <memory>
#include <new>
#include <string>

class QCheckBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;

namespace quillax {

class DrawingArea;
class ListBox;
class SelectorStrip;

// The editor's only window. Its procedures are grouped by subsystem over several source files:
// frmMain.cpp (composition, start-up, shut-down, event routing), frmMain_Load.cpp (load command and
// mesh list), frmMain_Markers.cpp (marker pools), frmMain_View.cpp (redraw and zoom), frmMain_Grid.cpp
// (grid), frmMain_Strips.cpp (selector strips), frmMain_Layout.cpp (panel layout).
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    frmMain();
    ~frmMain() override;

    // What the drawing area shows: the object and its marks, the view state (ViewScale, the offsets,
    // ViewWidth, ViewHeight, GridSpacing, GridTileSize), the Surface holding the grid's tile, and the
    // marker pools Node and Joint.
    MeshScene Scene{CurrentObject, CurrentPlacement};

    // The strips' pools, painted by their panels.
    ElementArray<BoxElement> picPoint{BoxElement{0, 0, 17, 17, PointBoxColours.Unselected, false}};
    ElementArray<BoxElement> picLine{BoxElement{0, 0, 17, 17, LineBoxColours.Unselected, false}};

    // Controls.
    DrawingArea* picMain = nullptr;
    QGroupBox* frameControls = nullptr;
    SelectorStrip* picTopBar = nullptr;
    SelectorStrip* picSideBar = nullptr;
    QLabel* Label1 = nullptr;
    ListBox* LstMeshes = nullptr;
    QPushButton* cmdLoadFile = nullptr;
    QPushButton* cmdRefresh = nullptr;
    QPushButton* cmdScaleDown = nullptr;
    QPushButton* cmdScaleUp = nullptr;
    QCheckBox* chkGrid = nullptr;
    QLabel* lblGridSpace = nullptr;
    QPushButton* cmdGridSpaceDec = nullptr;
    QPushButton* cmdGridSpaceInc = nullptr;
    QMenu* mnuFile = nullptr;

    // Window events.
    void Form_Load();
    void Form_Resize();
    void Form_Unload();

    // Load command and mesh list.
    void cmdLoadFile_Click();
    void LstMeshes_Click();
    void ResetEditor();
    std::string ObjectFilePath() const;

    // Marker pools.
    void LoadNodes(float x, float y);
    void LoadJoints(float x1, float y1, float x2, float y2);
    void UnloadNodes();
    void UnloadJoints();

    // Redraw and zoom.
    void RedrawView();
    void cmdRefresh_Click();
    void cmdScaleUp_Click();
    void cmdScaleDown_Click();

    // Grid.
    void DrawGrid(int16_t cellSize);
    void chkGrid_Click();
    void cmdGridSpaceInc_Click();
    void cmdGridSpaceDec_Click();

    // Selector strips.
    void LoadPointBoxes();
    void LoadLineBoxes();
    void UnloadPointBoxes();
    void UnloadLineBoxes();
    void PaintPointBox(int16_t meshIndex, int16_t pointIndex);
    void PaintLineBox(int16_t meshIndex, int16_t lineIndex);
    void picPoint_Click(int16_t index);
    void picLine_Click(int16_t index);
    void WireStrips();
    // Tooltip texts of a box of the chosen mesh; empty when there is no such point or line.
    std::string PointBoxTip(int16_t index) const;
    std::string LineBoxTip(int16_t index) const;

    // Panel layout.
    void ArrangePanels();
    // The window's outer height in twips; setting it resizes the window at once, unless the window
    // is maximized, minimized or full screen, or would outgrow the desktop.
    float Height() const;
    void SetHeight(float twips);
    float TwipsPerPixelY() const;

    // Working in the drawing area: a click marks the point or line of the chosen mesh under it, the
    // pointer resting on a marker shows what it is, the wheel and the keyboard zoom.
    void picMain_Click(int32_t x, int32_t y);
    void picMain_Wheel(int32_t notches);
    // The tip for the pixel (x, y): the chosen mesh's point or line there, else any mesh's.
    std::string MarkerTip(int32_t x, int32_t y) const;
    // Tooltip texts of a point or line of any mesh; empty when there is no such point or line.
    std::string PointTip(int32_t meshIndex, int32_t index) const;
    std::string LineTip(int32_t meshIndex, int32_t index) const;
    void WireDrawingArea();
    void WireShortcuts();
    // How far from a marker a click still finds it, in screen pixels at any zoom.
    static constexpr double MarkerHitRadius = 5;

    // The window's inner size in pixels.
    float ScaleWidth() const;
    float ScaleHeight() const;

    // Runs an event handler so that no error leaves it: a run-time error is shown in a message box and
    // the window stays usable.
    template <typename Handler> void RunHandler(Handler&& handler);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BuildFrameControls();
    void WireEvents();
    void SetTabOrder();
    void ReportHandlerError(int32_t number, const std::string& description);
    void FinishHandler();
    void PlaceStaleMarkers();
    void RepaintPools();

    QWidget* Inner = nullptr;
    bool Unloaded = false;
    // Handlers running, one inside another when a growth step resizes the window from a handler;
    // whether a growth step is resizing it; and whether such a resize left the markers for a later
    // redraw to place.
    int HandlerDepth = 0;
    bool Growing = false;
    bool MarkersStale = false;

    // Panel layout: the strips' flows, kept between runs.
    StripFlow PointRows{BoxFlow::Rows};
    StripFlow LineColumns{BoxFlow::Columns};
    void PlaceInner();
};

template <typename Handler> void frmMain::RunHandler(Handler&& handler) {
    ++HandlerDepth;
    try {
        handler();
        FinishHandler();
    } catch (const RuntimeError& error) {
        ReportHandlerError(error.Number(), error.Description());
    } catch (const std::bad_alloc&) {
        ReportHandlerError(ErrNo::OutOfMemory, ErrorDescription(ErrNo::OutOfMemory));
    } catch (const std::exception& error) {
        ReportHandlerError(ErrNo::InternalError,
                           ErrorDescription(ErrNo::InternalError) + ": " + error.what());
    }
    // Nothing is painted before the outermost handler ends; it repaints what all of them changed.
    if (--HandlerDepth == 0) {
        RepaintPools();
    }
}

} // namespace quillax
