#pragma once

#include "app/StripFlow.h"
#include "browse/BoxElement.h"
#include "browse/StripState.h"
#include "edit/MovePointsCommand.h"
#include "platform/ElementArray.h"
#include "view/MarkerHitTest.h"
#include "view/MeshScene.h"
#include "view/ViewNavigation.h"

#include "platform/RuntimeError.h"

#include <QMainWindow>
#include <QPointF>
#include <QString>

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <new>
#include <optional>
#include <string>

class QCheckBox;
class QGroupBox;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QRubberBand;
class QUndoStack;

namespace quillax {

class DrawingArea;
class ListBox;
class SelectorStrip;

// The editor's only window. Its procedures are grouped by subsystem over several source files:
// frmMain.cpp (composition, start-up, shut-down, event routing), frmMain_Load.cpp (load command and
// mesh list), frmMain_Markers.cpp (marker pools), frmMain_View.cpp (redraw and zoom), frmMain_Grid.cpp
// (grid), frmMain_Strips.cpp (selector strips), frmMain_Layout.cpp (panel layout); and beyond the
// design frmMain_Input.cpp (clicks and tips in the drawing area), frmMain_Files.cpp (opening any
// object), frmMain_Navigation.cpp (moving around), frmMain_Marks.cpp (marking many at once),
// frmMain_Readout.cpp (what the status lines say), frmMain_Edit.cpp (editing with undo) and
// frmMain_Save.cpp (saving and exporting).
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
    QMenu* mnuFileMenu = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuSave = nullptr;
    QAction* mnuSaveAs = nullptr;
    QAction* mnuExportView = nullptr;
    QAction* mnuQuit = nullptr;
    QMenu* mnuEditMenu = nullptr;
    QAction* mnuUndo = nullptr;
    QAction* mnuRedo = nullptr;
    QAction* mnuMeshColour = nullptr;
    QAction* mnuNewMesh = nullptr;
    QAction* mnuDeleteMesh = nullptr;
    QLabel* lblReadout = nullptr;

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

    // Opening any object: what "Load File" does with the fixed file, for a file of the user's.
    void LoadObject(const std::string& fileName);
    void mnuOpen_Click();
    // Where the file dialogs start: the folder of the object shown, else of the fixed file.
    QString DialogFolder() const;
    // The clean absolute path of the object shown; empty when none is.
    std::string CurrentFile;

    // Working in the drawing area: a click marks the point or line of the chosen mesh under it, or
    // chooses the mesh of another's marker; the pointer resting on a marker shows what it is.
    void picMain_Click(int32_t x, int32_t y);
    // Moving around: the picture follows the pointer, the wheel zooms about it, the view fits the
    // object or goes back to where it starts.
    void picMain_PanBegan();
    void picMain_Panned(QPointF moved);
    void picMain_Wheel(int32_t notches, QPointF position);
    void FitView();
    void StartView();
    // Marking many at once: the points of the chosen mesh inside a rubber band (added to the marks,
    // or in their place), every point and line of it, or none.
    void picMain_Band(QPoint from, QPoint to, bool adding);
    // Editing the chosen mesh, each edit one step on the undo stack: a left drag from one of its points
    // moves it (with every marked point when it is marked), the arrow keys move the marked points, a
    // double click on a line inserts a point there, Delete removes the marked points.
    void picMain_DragBegan(QPoint from);
    void picMain_Dragged(QPoint from, QPoint to);
    void picMain_DragEnded(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers);
    void picMain_Nudge(int32_t dx, int32_t dy);
    void picMain_DoubleClick(int32_t x, int32_t y);
    void DeleteMarkedPoints();
    void mnuMeshColour_Click();
    void mnuNewMesh_Click();
    void mnuDeleteMesh_Click();
    // After an edit or its undo: pools, mesh list and strips as the designed steps leave them for the
    // edited object, `chosen` chosen, the marks kept, the picture redrawn.
    void ShowEditedObject(int32_t chosen);
    QUndoStack* UndoStack = nullptr;
    // Saving: false when nothing was written (cancelled or failed, the reason shown).
    bool mnuSave_Click();
    bool mnuSaveAs_Click();
    bool SaveObject(const std::string& fileName);
    // The drawing area as it shows now, as a PNG or BMP picture or an SVG document, by the name's
    // extension; false when nothing was written (the reason shown).
    void mnuExportView_Click();
    bool ExportView(const std::string& fileName);
    // Before unsaved changes would be lost: Save, Discard or Cancel; false when the user cancels or
    // the save fails.
    bool ChangesMayGo();
    void MarkAll();
    void ClearMarks();
    // The status lines: file, chosen mesh and its marks, zoom, the model point under the pointer.
    void ShowReadout();
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
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BuildFrameControls();
    void BuildMenus();
    void WireEvents();
    void SetTabOrder();
    // Shows a handler's error in a message box: a run-time error with its number, anything else as an
    // internal error.
    void ReportHandlerError(std::exception_ptr error);
    // Raises here the error a nested handler left, if any.
    void RethrowNestedError();
    // The chosen mesh; none when the list's choice is no mesh of the object.
    std::optional<int32_t> ChosenMesh() const;
    // The markers of the chosen mesh, and the one of `range` a click at (x, y) finds.
    MarkerRange ChosenMarkers() const;
    std::optional<MarkerHit> HitIn(const MarkerRange& range, int32_t x, int32_t y) const;
    // Runs `handler` (a member of the window, or a callable given the window) through RunHandler each
    // time `sender` sends `signal`, whose arguments it does not need.
    template <typename Sender, typename Signal, typename Handler>
    void Route(Sender* sender, Signal signal, Handler handler);
    int32_t HandlerDepth = 0;
    std::exception_ptr NestedError;
    void PlaceStaleMarkers();
    void RepaintPools();

    QWidget* Inner = nullptr;
    bool Unloaded = false;
    QRubberBand* Band = nullptr;
    // Where the view was when the pan under way began.
    ViewPlace PanStart;
    // The pointer over the drawing area, for the readout.
    std::optional<QPointF> PointerAt;
    // The readout's lines above the pointer line, as the last handler left them.
    QString ReadoutLines;
    // The readout with the pointer line for where the pointer is now.
    void ShowPointer();
    // The drawing-area position whose marker is drawn on the pixel under the pointer.
    static double PositionUnder(double pointer);
    // The marks of the chosen mesh painted on its boxes, and the picture redrawn.
    void ShowMarks();
    void BuildEditMenu();
    void WireEditing();
    // The strips sized to the chosen mesh, a pair of boxes at a time.
    void FitStrips();
    void FitMeshList();
    void PushEdit(const QString& text, int32_t first, std::vector<MeshState> before,
                  std::vector<MeshState> after, int32_t chosenAfter);
    // A drag that moves points: the mesh, and each point's place when the drag began.
    struct PointDrag {
        int32_t Mesh = -1;
        std::vector<MovePointsCommand::PointMove> Moves;
    };
    std::optional<PointDrag> Dragging;
    // The dragged points' places for the pointer moved from `from` to `to`, not yet written.
    void AimDrag(QPoint from, QPoint to);
    void PlaceView(const ViewPlace& place);
    // Whether a growth step is resizing the window, and whether such a resize left the markers for a
    // later redraw to place.
    bool Growing = false;
    bool MarkersStale = false;

    // Panel layout: the strips' flows, kept between runs.
    StripFlow PointRows{BoxFlow::Rows};
    StripFlow LineColumns{BoxFlow::Columns};
    void PlaceInner();
    float StripScrollBar() const;
    float ScrollingColumnsExtent(float sideBarTop) const;
};

// A handler raised from inside another (the mesh-list click that the load command sets off, a resize
// from the layout's growth step) leaves its error to the handler that raised it.
template <typename Handler> void frmMain::RunHandler(Handler&& handler) {
    if (HandlerDepth > 0) {
        ++HandlerDepth;
        try {
            handler();
        } catch (...) {
            if (!NestedError) {
                NestedError = std::current_exception();
            }
        }
        --HandlerDepth;
        return;
    }
    ++HandlerDepth;
    try {
        handler();
        PlaceStaleMarkers();
        RethrowNestedError();
    } catch (...) {
        NestedError = nullptr;
        ReportHandlerError(std::current_exception());
    }
    --HandlerDepth;
    // Nothing is painted before the outermost handler ends; it repaints what all of them changed.
    RepaintPools();
    ShowReadout();
}

template <typename Sender, typename Signal, typename Handler>
void frmMain::Route(Sender* sender, Signal signal, Handler handler) {
    connect(sender, signal, this,
            [this, handler] { RunHandler([this, handler] { std::invoke(handler, *this); }); });
}

} // namespace quillax
