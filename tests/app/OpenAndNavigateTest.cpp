#include "support/EditorFixture.h"

#include "app/EditorCommandLine.h"
#include "app/frmMain.h"
#include "browse/ListBox.h"
#include "drawingarea/DrawingArea.h"
#include "objects/modObjects.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>

#include <cmath>
#include <filesystem>

namespace quillax {

namespace {
class OpenAndNavigateTest : public EditorFixture {
protected:
    void SetUp() override { ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get())); }

    std::string WriteFile(const std::string& name, const LinObject& object) {
        const std::string path = Folder.Path(name);
        WriteLinFile(path, LinBytes(object));
        return path;
    }
    QPointF Centre(int32_t n) const {
        const NodeElement node = Window->picMain->Scene().NodeAt(n);
        return {node.Left + node.Width / 2.0, node.Top + node.Height / 2.0};
    }
    std::vector<QPointF> Centres() const {
        std::vector<QPointF> centres;
        for (int32_t n = 0; n < Window->picMain->Scene().Node.Count(); ++n) {
            centres.push_back(Centre(n));
        }
        return centres;
    }
    void Mouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons, QPointF at,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* area = Window->picMain;
        QMouseEvent event(type, at, area->mapToGlobal(at), button, buttons, modifiers);
        QCoreApplication::sendEvent(area, &event);
    }
    // A drag with the button held, through a point on the way.
    void Drag(Qt::MouseButton button, QPointF from, QPointF to,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        Mouse(QEvent::MouseButtonPress, button, button, from, modifiers);
        Mouse(QEvent::MouseMove, Qt::NoButton, button, (from + to) / 2, modifiers);
        Mouse(QEvent::MouseMove, Qt::NoButton, button, to, modifiers);
        Mouse(QEvent::MouseButtonRelease, button, Qt::NoButton, to, modifiers);
    }
    void Wheel(QPointF at, int angleDelta) {
        QWidget* area = Window->picMain;
        QWheelEvent event(at, area->mapToGlobal(at), {}, {0, angleDelta}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(area, &event);
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(Window.get(), static_cast<Qt::Key>(key), modifiers);
    }
    void Drop(const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        const QPoint at = Window->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Window.get(), &enter);
        if (enter.isAccepted()) {
            QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(Window.get(), &drop);
        }
    }
    std::vector<int16_t>& PointFlags() { return CurrentPlacement.Selections[0].PointFlags; }
};
} // namespace

TEST(EditorCommandLine, TakesOneFileByItsOwnBytesAndAnswersHelpAndVersion) {
    EXPECT_FALSE(ParseEditorCommandLine({"quillax-editor"}).File);
    EXPECT_FALSE(ParseEditorCommandLine({"quillax-editor"}).ExitStatus);
    const std::string odd = "/tmp/ship\xff\xfe.lin";
    EXPECT_EQ(ParseEditorCommandLine({"quillax-editor", odd}).File, odd);
    EXPECT_EQ(ParseEditorCommandLine({"quillax-editor", "--", "-dash.lin"}).File, "-dash.lin");
    const EditorCommand two = ParseEditorCommandLine({"quillax-editor", "a.lin", "b.lin"});
    EXPECT_EQ(two.ExitStatus, 2);
    EXPECT_NE(two.Text.find("one object file"), std::string::npos);
    const EditorCommand unknown = ParseEditorCommandLine({"quillax-editor", "--fly"});
    EXPECT_EQ(unknown.ExitStatus, 2);
    EXPECT_NE(unknown.Text.find("fly"), std::string::npos) << "the unknown option is named";
    EXPECT_EQ(ParseEditorCommandLine({"quillax-editor", "--version"}).Text,
              "quillax-editor " QUILLAX_VERSION "\n");
    const EditorCommand help = ParseEditorCommandLine({"quillax-editor", "--help"});
    EXPECT_EQ(help.ExitStatus, 0);
    EXPECT_NE(help.Text.find("FILE.lin"), std::string::npos);
}

TEST_F(OpenAndNavigateTest, AnyFileOpensAsLoadFileOpensTheFixedOneAndMessagesNameItCleanly) {
    const std::string path = WriteFile("ship.lin", MeshesOf({3, 4}));
    Window->RunHandler([&] { Window->LoadObject(Folder.Path("Assets/../ship.lin")); });
    EXPECT_EQ(Window->Document().FilePath(), path);
    EXPECT_EQ(Window->LstMeshes->ListCount(), 2);
    EXPECT_EQ(Window->picMain->Scene().Node.Count(), 7);
    EXPECT_EQ(Window->picPoint.Count(), 3);
    EXPECT_NE(Readout()->text().indexOf("ship.lin"), -1);

    Window->RunHandler([&] { Window->LoadObject(Folder.Path("Assets/../missing.lin")); });
    ASSERT_EQ(Boxes.Records.size(), 1u);
    EXPECT_NE(Boxes.Records[0].Prompt.find(Folder.Path("missing.lin") + "\r\n"), std::string::npos);
    EXPECT_EQ(Boxes.Records[0].Prompt.find(".."), std::string::npos);
    EXPECT_TRUE(Window->picMain->Scene().Node.IsEmpty());
    EXPECT_EQ(Window->LstMeshes->ListCount(), 0);
    EXPECT_TRUE(Window->Document().FilePath().empty());
    // "Load File" still reads the fixed asset.
    Load(MeshesOf({2}));
    EXPECT_EQ(Window->Document().FilePath(), Folder.Path("Assets/PlayerTopb.lin"));
}

TEST_F(OpenAndNavigateTest, OpenAsksForAFileInTheFolderOfTheCurrentOne) {
    WriteFile("Assets/other.lin", MeshesOf({5}));
    Load(MeshesOf({2}));
    QString startedIn;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        startedIn = dialog->directory().absolutePath();
        dialog->selectFile(QString::fromStdString(Folder.Path("Assets/other.lin")));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    Action("mnuOpen")->trigger();
    EXPECT_EQ(startedIn.toStdString(), Folder.Path("Assets"));
    EXPECT_EQ(Window->Document().FilePath(), Folder.Path("Assets/other.lin"));
    EXPECT_EQ(Window->picPoint.Count(), 5);
    EXPECT_TRUE(Boxes.Records.empty());
}

TEST_F(OpenAndNavigateTest, ADroppedObjectFileOpensAndAnythingElseIsRefusedQuietly) {
    const std::string path = WriteFile("dropped.lin", MeshesOf({4}));
    const std::string text = Folder.Path("notes.txt");
    WriteLinFile(text, {});
    Drop({QUrl::fromLocalFile(QString::fromStdString(text))});
    Drop({QUrl::fromLocalFile(QString::fromStdString(path)),
          QUrl::fromLocalFile(QString::fromStdString(path))});
    Drop({QUrl("https://example.org/ship.lin")});
    EXPECT_TRUE(Window->Document().FilePath().empty());
    EXPECT_TRUE(Boxes.Records.empty());
    Drop({QUrl::fromLocalFile(QString::fromStdString(path))});
    EXPECT_EQ(Window->Document().FilePath(), path);
    EXPECT_EQ(Window->picPoint.Count(), 4);
}

TEST_F(OpenAndNavigateTest, DraggingPansThePictureWithThePointerToThePixel) {
    Load(MeshesOf({4, 3}));
    const std::vector<QPointF> before = Centres();
    const QImage grid = Window->picMain->Scene().Background().copy();
    Drag(Qt::MiddleButton, QPointF(100, 100), QPointF(113, 93));
    const std::vector<QPointF> after = Centres();
    for (size_t n = 0; n < before.size(); ++n) {
        EXPECT_EQ(after[n] - before[n], QPointF(13, -7)) << n;
    }
    // The grid moved with the picture.
    EXPECT_EQ(Window->picMain->Scene().Background().copy(13, 0, 100, 100), grid.copy(0, 7, 100, 100));
    // The left button pans while Space is held, from where the last pan left the picture.
    QTest::keyPress(Window->picMain, Qt::Key_Space);
    Drag(Qt::LeftButton, QPointF(200, 200), QPointF(190, 230));
    QTest::keyRelease(Window->picMain, Qt::Key_Space);
    EXPECT_EQ(Centre(0) - before[0], QPointF(3, 23));
    EXPECT_EQ(PointFlags(), (std::vector<int16_t>{0, 0, 0, 0})) << "a pan marks nothing";
}

TEST_F(OpenAndNavigateTest, TheWheelZoomsAboutThePointerAndTheButtonsAboutTheCentre) {
    Load(MeshesOf({4, 3}));
    const QPointF pointer(140.5, 90.25);
    const auto under = [&] {
        return ScreenToModel(Window->picMain->Scene().View(), pointer.x() - 0.5, pointer.y() - 0.5);
    };
    const ModelPoint held = under();
    for (const int turn : {120, 120, 240, -360, -240}) {
        Wheel(pointer, turn);
        const ScreenPoint now = ModelToScreen(Window->picMain->Scene().View(), static_cast<float>(held.X),
                                              static_cast<float>(held.Y));
        EXPECT_LE(std::abs(now.X - (pointer.x() - 0.5)), 1.0) << turn;
        EXPECT_LE(std::abs(now.Y - (pointer.y() - 0.5)), 1.0) << turn;
    }
    EXPECT_FLOAT_EQ(Window->picMain->Scene().ViewScale, 3.2f) << "one step is one click of + or --";
    Key(Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(Window->picMain->Scene().ViewScale, 4.0f);
    EXPECT_EQ(Window->picMain->Scene().ViewOffsetX, 0.0f);
    EXPECT_EQ(Window->picMain->Scene().ViewOffsetY, 0.0f);
    Window->cmdScaleUp->click();
    EXPECT_EQ(Window->picMain->Scene().ViewScale, 5.0f);
    EXPECT_EQ(Window->picMain->Scene().ViewOffsetX, 0.0f) << "the buttons zoom about the centre as designed";
}

TEST_F(OpenAndNavigateTest, HomeBringsAFarObjectIntoViewAndFitsEveryPoint) {
    LinObject far;
    LinMesh mesh;
    mesh.Points = {{10000, 5000}, {10400, 5000}, {10200, 5150}, {10100, 4990}};
    far.Meshes = {mesh, mesh};
    far.Meshes[1].Points = {{10050, 5010}, {std::nanf(""), 0}, {10300, 5100}};
    Load(far);
    const QSize area = Window->picMain->size();
    EXPECT_FALSE(QRectF(QPointF(0, 0), area).contains(Centre(0))) << "far out of sight at first";
    Key(Qt::Key_Home);
    double left = 1e9, right = -1e9, top = 1e9, bottom = -1e9;
    for (const QPointF& centre : Centres()) {
        if (std::isfinite(centre.x())) {
            left = std::min(left, centre.x());
            right = std::max(right, centre.x());
            top = std::min(top, centre.y());
            bottom = std::max(bottom, centre.y());
        }
    }
    EXPECT_GE(left, 2);
    EXPECT_LE(right, area.width() - 3);
    EXPECT_GE(top, 2);
    EXPECT_LE(bottom, area.height() - 3);
    EXPECT_LE(std::abs((left + right) - area.width()), 2) << "centred";
    EXPECT_GE(right - left, area.width() - 30) << "as large as the area allows";
}

// The strips of a large mesh shrink the drawing area; a small object after it gives the area back,
// and Home fits into the area as it is then, not as it was.
TEST_F(OpenAndNavigateTest, HomeFitsIntoTheWholeAreaAfterTheStripsShrinkBack) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
    Window->LoadObject(WriteFile("large.lin", MeshesOf({2000})));
    const QSize shrunk = Window->picMain->size();
    Window->LoadObject(WriteFile("small.lin", MeshesOf({3, 4})));
    const QSize area = Window->picMain->size();
    ASSERT_GT(area.height(), shrunk.height() + 100);
    EXPECT_EQ(Window->picMain->Scene().Area(), area);
    Key(Qt::Key_Home);
    double left = 1e9, right = -1e9, top = 1e9, bottom = -1e9;
    for (const QPointF& centre : Centres()) {
        left = std::min(left, centre.x());
        right = std::max(right, centre.x());
        top = std::min(top, centre.y());
        bottom = std::max(bottom, centre.y());
    }
    EXPECT_LE(std::abs((left + right) - area.width()), 2) << "centred across the whole area";
    EXPECT_LE(std::abs((top + bottom) - area.height()), 2);
    EXPECT_GE(right - left, area.width() - 30) << "as wide as the area allows";
}

TEST_F(OpenAndNavigateTest, ARubberBandMarksThePointsInsideItAndShiftAddsToTheMarks) {
    Load(MeshesOf({4, 3}));
    const QPointF below(0, 6);
    Drag(Qt::LeftButton, Centre(1) - QPointF(2, 6), Centre(2) + below);
    EXPECT_EQ(PointFlags(), (std::vector<int16_t>{0, -1, -1, 0}));
    EXPECT_EQ(Window->picTopBar->ShownColour(1), PointBoxColours.Selected);
    EXPECT_EQ(Window->picMain->Scene().NodeAt(2).Width, 5.0f) << "redrawn";
    Window->picLine_Click(0);
    Drag(Qt::LeftButton, Centre(3) + below, Centre(3) - below, Qt::ShiftModifier);
    EXPECT_EQ(PointFlags(), (std::vector<int16_t>{0, -1, -1, -1}));
    EXPECT_EQ(CurrentPlacement.Selections[0].LineFlags[0], -1) << "added to";
    // Without Shift the marks become exactly the points in the band; mesh 1's points are not its.
    Drag(Qt::LeftButton, Centre(0) - below, Centre(4) + below);
    EXPECT_EQ(PointFlags(), (std::vector<int16_t>{-1, 0, 0, 0}));
    EXPECT_EQ(CurrentPlacement.Selections[0].LineFlags, (std::vector<int16_t>{0, 0, 0}));
    EXPECT_EQ(CurrentPlacement.Selections[1].PointFlags, (std::vector<int16_t>{0, 0, 0}));
    EXPECT_EQ(Window->picTopBar->ShownColour(1), PointBoxColours.Unselected);
}

TEST_F(OpenAndNavigateTest, CtrlAMarksTheWholeChosenMeshAndEscapeClearsIt) {
    Load(MeshesOf({4, 3}));
    Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(PointFlags(), (std::vector<int16_t>{-1, -1, -1, -1}));
    EXPECT_EQ(CurrentPlacement.Selections[0].LineFlags, (std::vector<int16_t>{-1, -1, -1}));
    EXPECT_EQ(Window->picSideBar->ShownColour(2), LineBoxColours.Selected);
    EXPECT_NE(Readout()->text().indexOf("Marked: 4 points, 3 lines"), -1);
    Key(Qt::Key_Escape);
    EXPECT_EQ(PointFlags(), (std::vector<int16_t>{0, 0, 0, 0}));
    EXPECT_EQ(Window->picSideBar->ShownColour(2), LineBoxColours.Unselected);
    EXPECT_EQ(CurrentPlacement.Selections[1].PointFlags, (std::vector<int16_t>{0, 0, 0}));
}

TEST_F(OpenAndNavigateTest, TheReadoutTellsFileMeshMarksZoomAndThePointUnderThePointer) {
    Load(MeshesOf({4, 3}));
    Mouse(QEvent::MouseMove, Qt::NoButton, Qt::NoButton, Centre(2) + QPointF(0.5, 0.5));
    const QString text = Readout()->text();
    EXPECT_EQ(text,
              "PlayerTopb.lin\nMesh 0: 4 points\nMarked: 0 points, 0 lines\nZoom: 4\nPointer: (-10, -20)");
    const QRect inFrame = Readout()->geometry();
    EXPECT_GE(inFrame.top(), Window->cmdGridSpaceInc->geometry().bottom()) << "below the designed controls";
    EXPECT_LE(inFrame.bottom(), Window->frameControls->height());
}

// Exactly the pixels the drawing area shows (pan and grid included), or the command line's SVG.
TEST_F(OpenAndNavigateTest, ExportViewWritesTheDrawingAreaAsItShows) {
    Load(MeshesOf({4, 3}));
    Drag(Qt::MiddleButton, QPointF(100, 100), QPointF(117, 91));
    const QImage shown = Window->picMain->grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (const char* name : {"view.png", "view.bmp"}) {
        ASSERT_TRUE(Window->ExportView(Folder.Path(name))) << name;
        EXPECT_EQ(QImage(QString::fromStdString(Folder.Path(name))).convertToFormat(QImage::Format_RGB32),
                  shown)
            << name;
    }
    ASSERT_TRUE(Window->ExportView(Folder.Path("view.svg")));
    QFile svg(QString::fromStdString(Folder.Path("view.svg")));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svg.readAll().contains("id=\"mesh-1\""));
    EXPECT_TRUE(Boxes.Records.empty());

    EXPECT_FALSE(Window->ExportView(Folder.Path("view.jpg")));
    EXPECT_FALSE(Window->ExportView(Folder.Path("gone/view.png")));
    ASSERT_EQ(Boxes.Records.size(), 2u);
    EXPECT_NE(Boxes.Records[0].Prompt.find(".png, .bmp or .svg"), std::string::npos);
    EXPECT_NE(Boxes.Records[1].Prompt.find("could not be exported:\r\n" + Folder.Path("gone/view.png")),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(Folder.Path("view.jpg")));
}

} // namespace quillax
