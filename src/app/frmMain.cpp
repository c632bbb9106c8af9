#include "app/frmMain.h"

#include "app/modWinSize.h"
#include "browse/ListBox.h"
#include "browse/SelectorStrip.h"
#include "browse/StripState.h"
#include "drawingarea/DrawingArea.h"
#include "platform/Numeric.h"
#include "surface/clsOffScreenDC.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QUndoStack>

namespace quillax {

namespace {
constexpr int DesignInnerWidth = 872;
constexpr int DesignInnerHeight = 555;

template <typename Control> Control* Place(Control* control, int left, int top, int width, int height) {
    control->setGeometry(left, top, width, height);
    return control;
}
} // namespace

frmMain::frmMain()
    : Guard([this] { PlaceStaleMarkers(); },
            [this] {
                RepaintPools();
                Status->Show();
            }) {
    BuildControls();
    WireEvents();
    SetTabOrder();
    Form_Load();
}

frmMain::~frmMain() {
    Form_Unload();
    // The panels paint the pools, which are members: the panels must go first.
    delete Inner;
}

void frmMain::BuildControls() {
    setWindowTitle(WindowCaption({}));
    setAcceptDrops(true);
    Inner = new QWidget(this);
    picMain = Place(new DrawingArea(Scene, Inner), 0, 0, 561, 505);
    // At its design place until the first layout: Form_Load reads its Top.
    frameControls = Place(new QGroupBox("Controls", Inner), 616, 40, 249, 393);
    picTopBar = Place(new SelectorStrip(picPoint, PointBoxColours, Inner), 0, 0, 873, 33);
    picSideBar = Place(new SelectorStrip(picLine, LineBoxColours, Inner), 0, 0, 33, 521);
    BuildFrameControls();
    const auto open = [this](const std::string& file) { OpenObject(file); };
    Files = std::make_unique<FileCommands>(*this, Guard, Open, Scene, ObjectFilePath(), open);
    Menus = std::make_unique<EditorMenus>(*this, Guard, Open, Scene, *Files, Snap, open);
    Precision = std::make_unique<PrecisionMenus>(*this, Guard, Open, Scene, Snap, *frameControls);
    mnuFile = menuBar()->addMenu("Menu Bar [TODO]");
    Inner->installEventFilter(this);
    resize(DesignInnerWidth, DesignInnerHeight + menuBar()->sizeHint().height());
    PlaceInner();
}

void frmMain::BuildFrameControls() {
    Label1 = Place(new QLabel("Meshes:", frameControls), 16, 16, 121, 17);
    LstMeshes = Place(new ListBox(frameControls), 16, 32, 129, 108);
    cmdLoadFile = Place(new QPushButton("Load File", frameControls), 152, 24, 89, 25);
    cmdRefresh = Place(new QPushButton("Refresh", frameControls), 152, 64, 89, 25);
    cmdScaleDown = Place(new QPushButton("--", frameControls), 152, 96, 33, 25);
    cmdScaleUp = Place(new QPushButton("+", frameControls), 208, 96, 33, 25);
    chkGrid = Place(new QCheckBox("Show Grid", frameControls), 16, 152, 89, 25);
    chkGrid->setChecked(true);
    lblGridSpace = Place(new QLabel("Grid Spacing is: 5", frameControls), 48, 200, 113, 17);
    cmdGridSpaceDec = Place(new QPushButton("--", frameControls), 32, 224, 41, 25);
    cmdGridSpaceInc = Place(new QPushButton("+", frameControls), 136, 224, 41, 25);
    // The free space below the designed controls.
    auto* readout = Place(new QLabel(frameControls), 16, 264, 225, 92);
    readout->setObjectName("lblReadout");
    readout->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    readout->setTextFormat(Qt::PlainText);
    Status = std::make_unique<Readout>(*readout, Open, Scene);
}

void frmMain::WireEvents() {
    Route(cmdLoadFile, &QPushButton::clicked, &frmMain::cmdLoadFile_Click);
    Route(LstMeshes, &ListBox::Click, &frmMain::LstMeshes_Click);
    Route(cmdRefresh, &QPushButton::clicked, &frmMain::cmdRefresh_Click);
    Route(cmdScaleUp, &QPushButton::clicked, &frmMain::cmdScaleUp_Click);
    Route(cmdScaleDown, &QPushButton::clicked, &frmMain::cmdScaleDown_Click);
    Route(chkGrid, &QCheckBox::clicked, &frmMain::chkGrid_Click);
    Route(cmdGridSpaceInc, &QPushButton::clicked, &frmMain::cmdGridSpaceInc_Click);
    Route(cmdGridSpaceDec, &QPushButton::clicked, &frmMain::cmdGridSpaceDec_Click);
    connect(chkGrid, &QCheckBox::toggled, this, [this](bool ticked) { Scene.ShowGrid = ticked; });
    WireDocument();
    Structure = std::make_unique<StructureMenus>(*this, Guard, Open, *LstMeshes, Menus->EditMenu());
    WireStrips();
    WireDrawingArea();
    WireShortcuts();
}

// Whatever the document says changed is shown at once, so a step undone from anywhere leaves the
// window as the step before showed it.
void frmMain::WireDocument() {
    connect(&Open, &ObjectDocument::MeshesChanged, this, &frmMain::ShowEditedObject);
    connect(&Open, &ObjectDocument::PointsMoved, this, &frmMain::RedrawView);
    connect(&Open, &ObjectDocument::CentreMoved, this, &frmMain::RedrawView);
    connect(&Open, &ObjectDocument::MarksChanged, this, &frmMain::MarksChanged);
    connect(&Open, &ObjectDocument::ChosenMeshChanged, LstMeshes, &ListBox::ShowQuietly);
    connect(&Open, &ObjectDocument::ModifiedChanged, this, &QWidget::setWindowModified);
    connect(&Open, &ObjectDocument::FileChanged, this,
            [this] { setWindowTitle(WindowCaption(Open.FilePath())); });
}

// Keyboard order follows the design's tab indices; the strips stand for their boxes.
void frmMain::SetTabOrder() {
    QWidget* const order[] = {picMain,   picTopBar,       picSideBar,     cmdLoadFile,
                              LstMeshes, cmdRefresh,      cmdScaleDown,   cmdScaleUp,
                              chkGrid,   cmdGridSpaceDec, cmdGridSpaceInc};
    for (size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void frmMain::Form_Load() {
    MinWidth = 712;
    MinHeight = static_cast<float>(frameControls->y() + frameControls->height() + 40);
    Scene.ViewScale = 4.0f;
    Scene.ViewOffsetX = 0;
    Scene.ViewOffsetY = 0;
    Scene.Surface = std::make_unique<clsOffScreenDC>();
    Scene.GridSpacing = 5;
    HookedWindow = this;
    HookWindow();
}

// A resize raised by a growth step of the layout inside another handler cannot be painted before
// that handler ends, and every handler that grows the window redraws after it: such a resize draws
// only the background, whose steps cost nothing until it is shown, and leaves the markers stale.
void frmMain::Form_Resize() {
    ArrangePanels();
    Scene.ViewWidth = ToInt16(picMain->ScaleWidth());
    Scene.ViewHeight = ToInt16(picMain->ScaleHeight());
    if (Growing && Guard.Depth() > 1) {
        Scene.DrawBackground();
        MarkersStale = true;
        return;
    }
    RedrawView();
}

void frmMain::Form_Unload() {
    if (Unloaded) {
        return;
    }
    Unloaded = true;
    UnhookWindow();
    Scene.Surface.reset();
}

float frmMain::ScaleWidth() const {
    return static_cast<float>(Inner->width());
}

float frmMain::ScaleHeight() const {
    return static_cast<float>(Inner->height());
}

bool frmMain::SaveObject(const std::string& fileName) {
    return Files->SaveObject(fileName);
}

bool frmMain::ExportView(const std::string& fileName) {
    return Files->ExportView(fileName);
}

// Beyond the design, a close that would lose unsaved changes asks first and may be cancelled.
void frmMain::closeEvent(QCloseEvent* event) {
    bool mayClose = false;
    RunHandler([&] { mayClose = Files->ChangesMayGo(); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    PlaceInner();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Inner && event->type() == QEvent::Resize) {
        RunHandler([this] { Form_Resize(); });
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::PlaceStaleMarkers() {
    if (MarkersStale) {
        MarkersStale = false;
        Scene.PlaceMarkers();
    }
}

void frmMain::RepaintPools() {
    picMain->update();
    picTopBar->RepaintChangedBoxes();
    picSideBar->RepaintChangedBoxes();
}

} // namespace quillax
