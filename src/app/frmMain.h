#pragma once

#include "app/AreaGestures.h"
#include "app/EditorMenus.h"
#include "app/FileCommands.h"
#include "app/HandlerGuard.h"
#include "app/LayoutBatch.h"
#include "app/PrecisionMenus.h"
#include "app/Readout.h"
#include "app/StripFlow.h"
#include "app/StructureMenus.h"
#include "browse/BoxElement.h"
#include "document/ObjectDocument.h"
#include "platform/ElementArray.h"
#include "view/MeshScene.h"

#include <QMainWindow>
#include <QPointF>

#include <cstdint>
#include <functional>
#include <memory>
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

// The editor's only window: a view of its document. It composes the controls, routes their events to
// the designed handlers and the drawing area's gestures, and shows what the document says changed;
// its procedures are grouped by file (_Load, _View, _Strips, _Layout, _Input).
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    frmMain();
    ~frmMain() override;

    // The strips' pools, painted by their panels.
    ElementArray<BoxElement> picPoint{BoxElement{0, 0, 17, 17, false}};
    ElementArray<BoxElement> picLine{BoxElement{0, 0, 17, 17, false}};

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

    // The open object, its marks, the chosen mesh, its file and its history.
    ObjectDocument& Document() { return Open; }

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

    // Panel layout.
    void ArrangePanels();
    // The window's outer height in twips; setting it resizes the window at once, unless the window
    // is maximized, minimized or full screen, or would outgrow the desktop.
    float Height() const;
    void SetHeight(float twips);
    float TwipsPerPixelY() const;
    // The window's inner size in pixels.
    float ScaleWidth() const;
    float ScaleHeight() const;

    // What "Load File" does with the fixed file, for any file: the same steps, the same messages.
    void LoadObject(const std::string& fileName);
    // Opening a file beyond the design: an argument, Open, a drop.
    void OpenObject(const std::string& fileName);
    // Saving and exporting as the File menu does after its dialog: false (the reason shown) if not written.
    bool SaveObject(const std::string& fileName);
    bool ExportView(const std::string& fileName);

    // Runs an event handler so that no error leaves it: the error is shown, the window stays usable.
    template <typename Handler> void RunHandler(Handler&& handler) {
        Guard.Run(std::forward<Handler>(handler));
    }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BuildFrameControls();
    void WireEvents();
    void WireDocument();
    void WireStrips();
    void WireDrawingArea();
    void WireShortcuts();
    void SetTabOrder();
    // Runs `handler` (a member of the window) through RunHandler each time `sender` sends `signal`,
    // whose arguments it does not need.
    template <typename Sender, typename Signal>
    void Route(Sender* sender, Signal signal, void (frmMain::*handler)());

    bool ShowLoadedObject(const std::function<bool()>& read);
    // What the document says changed, shown.
    void ShowEditedObject();
    void MarksChanged(int32_t mesh, MarkRange points, MarkRange lines);
    // The strips sized to the chosen mesh, a pair of boxes at a time.
    void FitStrips();
    // Where the outermost handler ends: markers left for later placed, changed areas repainted.
    void PlaceStaleMarkers();
    void RepaintPools();

    void picMain_Click(const ClickTarget& target);

    // Panel layout: the strips' flows, kept between runs.
    void PlaceInner();
    StripFlow PointRows{BoxFlow::Rows};
    StripFlow LineColumns{BoxFlow::Columns};
    LayoutBatch Layout{*this, PointRows};

    ObjectDocument Open{CurrentObject, CurrentPlacement};
    MeshScene Scene{Open};
    HandlerGuard Guard;
    std::unique_ptr<FileCommands> Files;
    std::unique_ptr<EditorMenus> Menus;
    GridSnap Snap;
    std::unique_ptr<PrecisionMenus> Precision;
    std::unique_ptr<Readout> Status;
    std::unique_ptr<AreaGestures> Gestures;
    std::unique_ptr<StructureMenus> Structure;
    QWidget* Inner = nullptr;
    bool Unloaded = false;
    // Whether a growth step is resizing the window, and whether that left the markers to place.
    bool Growing = false;
    bool MarkersStale = false;
};

template <typename Sender, typename Signal>
void frmMain::Route(Sender* sender, Signal signal, void (frmMain::*handler)()) {
    connect(sender, signal, this, [this, handler] { RunHandler([this, handler] { (this->*handler)(); }); });
}

} // namespace quillax
