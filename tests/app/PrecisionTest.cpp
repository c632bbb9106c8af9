#include "support/EditorFixture.h"

#include "app/frmMain.h"
#include "browse/ListBox.h"
#include "drawingarea/DrawingArea.h"
#include "objects/ObjectFileBytes.h"
#include "objects/modObjects.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <string>

namespace quillax {

namespace {
// Mesh 0, the wing: four points 20 pixels apart along a row at the start zoom; mesh 1 below it. The
// object's centre is (2, -3).
class PrecisionTest : public EditorFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
        LinObject object = MeshesOf({4, 3});
        object.CentreX = 2;
        object.CentreY = -3;
        Load(object);
        Window->picMain->setFocus();
    }
    std::vector<uint8_t> Bytes() const { return ObjectFileBytes(CurrentObject); }
    QPoint Centre(int32_t n) const {
        const NodeElement node = Window->picMain->Scene().NodeAt(n);
        return {static_cast<int>(node.Left + node.Width / 2), static_cast<int>(node.Top + node.Height / 2)};
    }
    void Mouse(QEvent::Type type, Qt::MouseButtons buttons, QPoint at, Qt::KeyboardModifiers keys = {}) {
        QMouseEvent event(type, at, Window->picMain->mapToGlobal(at), Qt::LeftButton, buttons, keys);
        QCoreApplication::sendEvent(Window->picMain, &event);
    }
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers keys = {}) {
        Mouse(QEvent::MouseButtonPress, Qt::LeftButton, from, keys);
        Mouse(QEvent::MouseMove, Qt::LeftButton, to, keys);
        Mouse(QEvent::MouseButtonRelease, Qt::NoButton, to, keys);
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
    }
    QLineEdit* Field(const char* name) const { return Window->findChild<QLineEdit*>(name); }
    // Types into a field and presses Return.
    void Enter(const char* name, const QString& text) {
        QLineEdit* field = Field(name);
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }
    // Triggers a menu entry whose dialog `fill` answers: each field's text, the checks by name.
    void AnswerDialog(const char* entry, std::map<std::string, QString> texts,
                      std::function<void(QDialog&)> more = {}) {
        QTimer::singleShot(0, [texts, more] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            if (more) {
                more(*dialog);
            }
            for (const auto& [name, text] : texts) {
                dialog->findChild<QLineEdit*>(QString::fromStdString(name))->setText(text);
            }
            dialog->accept();
            if (dialog->isVisible()) {
                dialog->reject();
            }
        });
        Action(entry)->trigger();
        // The keys go to the window again, as they do once a dialog has closed.
        Window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(Window.get()));
        Window->picMain->setFocus();
    }
    const Mesh& Wing() const { return CurrentObject.Meshes[0]; }
    void MarkWing(std::initializer_list<int16_t> points) {
        for (const int16_t point : points) {
            Window->RunHandler([&] { Window->picPoint_Click(point); });
        }
    }
    size_t Steps() const { return static_cast<size_t>(Window->Document().History().count()); }
};

bool OnGrid(float value, float spacing) {
    return std::fmod(value, spacing) == 0;
}
} // namespace

TEST_F(PrecisionTest, SnappingPutsDragsInsertsNewPointsAndArrowStepsOnTheGrid) {
    QAction* snap = Action("mnuSnapToGrid");
    EXPECT_FALSE(snap->isChecked()) << "off when the editor starts";
    EXPECT_EQ(snap->shortcut(), QKeySequence("Ctrl+Shift+G"));
    Window->cmdScaleDown->click();
    Window->cmdScaleDown->click();
    const std::vector<uint8_t> loaded = Bytes();
    Key(Qt::Key_G, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(snap->isChecked());

    MarkWing({0, 1});
    Drag(Centre(0), Centre(0) + QPoint(9, 4));
    EXPECT_EQ(Wing().X[0], -15.0f) << "9 pixels at zoom 2.56 is 3.5 units, snapped to the crossing";
    EXPECT_EQ(Wing().Y[0], -20.0f);
    EXPECT_EQ(Wing().X[1], -10.0f) << "the other marked point by the same offset";
    EXPECT_EQ(Wing().X[2], -10.0f) << "unmarked";
    EXPECT_EQ(Steps(), 1u);

    Drag(Centre(0), Centre(0) + QPoint(9, 4), Qt::ControlModifier);
    EXPECT_FALSE(OnGrid(Wing().X[0], 5)) << "Ctrl lets the point follow the pointer";
    EXPECT_EQ(Wing().X[1] - Wing().X[0], 5.0f);
    Drag(Centre(0), Centre(0) + QPoint(12, 0));
    EXPECT_TRUE(OnGrid(Wing().X[0], 5) && OnGrid(Wing().Y[0], 5)) << "the next drag snaps again";

    Window->cmdGridSpaceDec->click();
    Window->cmdGridSpaceDec->click();
    const float x = Wing().X[0];
    Window->picMain->setFocus();
    Key(Qt::Key_Right);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(Wing().X[0], x + 3) << "one grid spacing";
    EXPECT_EQ(Wing().Y[1], Wing().Y[0]);

    const QPoint middle = (Centre(2) + Centre(3)) / 2;
    Mouse(QEvent::MouseButtonDblClick, Qt::LeftButton, middle + QPoint(0, 1));
    ASSERT_EQ(Wing().PointCount, 5);
    EXPECT_TRUE(OnGrid(Wing().X[3], 3) && OnGrid(Wing().Y[3], 3)) << Wing().X[3] << ", " << Wing().Y[3];
    Action("mnuNewMesh")->trigger();
    const Mesh& added = CurrentObject.Meshes.back();
    EXPECT_TRUE(OnGrid(added.X[0], 3) && OnGrid(added.Y[0], 3) && OnGrid(added.X[1], 3));
    EXPECT_LT(added.X[0], added.X[1]);

    while (Window->Document().History().canUndo()) {
        Window->Document().History().undo();
    }
    EXPECT_EQ(Bytes(), loaded);
}

TEST_F(PrecisionTest, TheCoordinateFieldsShowTheMarkedPointsAndPlaceThemWithReturn) {
    QLineEdit* x = Field("txtPointX");
    QLineEdit* y = Field("txtPointY");
    ASSERT_NE(x, nullptr);
    EXPECT_TRUE(x->isVisible());
    EXPECT_FALSE(x->isEnabled()) << "nothing marked";
    MarkWing({2});
    EXPECT_EQ(x->text(), "-10");
    EXPECT_EQ(y->text(), "-20");

    Enter("txtPointX", "12.25");
    EXPECT_EQ(Wing().X[2], 12.25f);
    EXPECT_EQ(Wing().Y[2], -20.0f);
    EXPECT_EQ(Action("mnuUndo")->text(), "Undo Move 1 Point");
    Enter("txtPointY", "0.1");
    EXPECT_EQ(Wing().Y[2], 0.1f);
    EXPECT_EQ(y->text(), "0.1") << "the shortest text that reads back the same float";

    const std::vector<uint8_t> before = Bytes();
    Enter("txtPointY", "abc");
    EXPECT_EQ(Bytes(), before);
    EXPECT_EQ(y->text(), "abc") << "refused in place";
    EXPECT_FALSE(y->styleSheet().isEmpty());
    EXPECT_TRUE(Boxes.Records.empty());
    QTest::keyClick(y, Qt::Key_Escape);
    EXPECT_EQ(y->text(), "0.1") << "Escape puts back what it showed";
    EXPECT_EQ(CurrentPlacement.Selections[0].PointFlags[2], -1) << "and leaves the marks";

    MarkWing({3});
    EXPECT_EQ(x->text(), "3.625") << "the centre of the marked points' bounds";
    EXPECT_EQ(y->text(), "-9.95");
    Enter("txtPointX", "0");
    EXPECT_EQ(Wing().X[2], 8.625f);
    EXPECT_EQ(Wing().X[3], -8.625f);
    EXPECT_EQ(Wing().Y[3], -20.0f);

    Window->cmdGridSpaceInc->setFocus();
    QTest::keyClick(Window->cmdGridSpaceInc, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), x);
    QTest::keyClick(x, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), y);
}

TEST_F(PrecisionTest, TurnsScalesAndFlipsActOnTheMarkedPointsOrTheWholeMeshAsOneStep) {
    const std::vector<uint8_t> loaded = Bytes();
    EXPECT_EQ(Action("mnuFlipHorizontal")->shortcut(), QKeySequence(Qt::Key_X));
    MarkWing({0, 1});
    Window->LstMeshes->setFocus();
    Key(Qt::Key_X);
    EXPECT_EQ(Wing().X[0], -15.0f) << "about the marked points' centre";
    EXPECT_EQ(Wing().X[1], -20.0f);
    EXPECT_EQ(Action("mnuUndo")->text(), "Undo Flip 2 Points");
    Key(Qt::Key_Z);
    EXPECT_EQ(Wing().X[0], -17.5f) << "a quarter turn clockwise on screen";
    EXPECT_EQ(Wing().Y[0], -17.5f);
    Key(Qt::Key_Z, Qt::ShiftModifier);
    EXPECT_EQ(Wing().X[0], -15.0f);
    EXPECT_EQ(Wing().Y[0], -20.0f);

    Action("mnuAboutObject")->trigger();
    Key(Qt::Key_Y);
    EXPECT_EQ(Wing().Y[0], 14.0f) << "across the object's centre, -3";
    AnswerDialog("mnuRotate", {{"txtAngle", "abc"}});
    EXPECT_EQ(Steps(), 4u) << "no number, no turn";
    AnswerDialog("mnuRotate", {{"txtAngle", "30"}}, [](QDialog& dialog) {
        EXPECT_TRUE(dialog.findChild<QRadioButton*>("optAboutObject")->isChecked())
            << "the dialog offers the choice made last";
    });
    EXPECT_FLOAT_EQ(Wing().X[0],
                    static_cast<float>(2 + (-17) * std::cos(M_PI / 6) + 17 * std::sin(M_PI / 6)));
    EXPECT_EQ(Action("mnuUndo")->text(), "Undo Rotate 2 Points");

    Key(Qt::Key_Escape);
    const Mesh before = Wing();
    const auto [left, right] = std::minmax_element(before.X.begin(), before.X.end());
    const auto [top, bottom] = std::minmax_element(before.Y.begin(), before.Y.end());
    const double centreX = (static_cast<double>(*left) + *right) / 2;
    const double centreY = (static_cast<double>(*top) + *bottom) / 2;
    AnswerDialog("mnuScale", {{"txtFactorY", "0.5"}}, [](QDialog& dialog) {
        dialog.findChild<QCheckBox*>("chkUniform")->setChecked(false);
        dialog.findChild<QLineEdit*>("txtFactorX")->setText("2");
        dialog.findChild<QRadioButton*>("optAboutMarked")->setChecked(true);
    });
    EXPECT_EQ(Action("mnuUndo")->text(), "Undo Scale 4 Points") << "no point marked: the whole mesh";
    EXPECT_EQ(Wing().X[3], static_cast<float>(2 * (before.X[3] - centreX) + centreX));
    EXPECT_EQ(Wing().Y[3], static_cast<float>(0.5 * (before.Y[3] - centreY) + centreY));

    const std::vector<uint8_t> scaled = Bytes();
    AnswerDialog("mnuScale", {{"txtFactorX", "1e38"}});
    ASSERT_EQ(Boxes.Records.size(), 1u);
    EXPECT_NE(Boxes.Records[0].Prompt.find("beyond the range of a float"), std::string::npos);
    EXPECT_EQ(Bytes(), scaled) << "refused: nothing changed";

    while (Window->Document().History().canUndo()) {
        Key(Qt::Key_Z, Qt::ControlModifier);
    }
    EXPECT_EQ(Bytes(), loaded) << "every step undone bit for bit";
}

TEST_F(PrecisionTest, TheObjectCentreZoomToSelectionAndTheMeasure) {
    AnswerDialog("mnuObjectCentre", {{"txtCentreX", "x"}});
    EXPECT_EQ(CurrentObject.CentreX, 2.0f) << "no number, no change";
    AnswerDialog("mnuObjectCentre", {{"txtCentreX", "3.5"}, {"txtCentreY", "-0.1"}});
    EXPECT_EQ(CurrentObject.CentreX, 3.5f);
    EXPECT_EQ(CurrentObject.CentreY, -0.1f);
    EXPECT_EQ(Action("mnuUndo")->text(), "Undo Object Centre");
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(CurrentObject.CentreY, -3.0f);

    MarkWing({1, 3});
    EXPECT_TRUE(Readout()->text().contains("Distance: 10 at 0\u00B0")) << Readout()->text().toStdString();
    Window->LstMeshes->setFocus();
    Key(Qt::Key_Home, Qt::ShiftModifier);
    const float fitted = Window->picMain->Scene().ViewScale;
    EXPECT_GT(fitted, 4.0f) << "the two points fill the area";
    const QRect area(QPoint(0, 0), Window->picMain->Scene().Area());
    EXPECT_TRUE(area.contains(Centre(1)) && area.contains(Centre(3)));
    EXPECT_FALSE(area.contains(Centre(0))) << "the rest of the mesh is off to the side";

    Action("mnuSnapToGrid")->trigger();
    Mouse(QEvent::MouseButtonPress, Qt::LeftButton, Centre(1));
    Mouse(QEvent::MouseMove, Qt::LeftButton, Centre(1) + QPoint(0, static_cast<int>(fitted * 4)));
    EXPECT_TRUE(Readout()->text().contains("Moved: (0, 5), 5")) << Readout()->text().toStdString();
    Mouse(QEvent::MouseButtonRelease, Qt::NoButton, Centre(1));
    EXPECT_FALSE(Readout()->text().contains("Moved"));
}

TEST_F(EditorFixture, WithNoObjectTheFieldsAreHiddenAndTheEntriesOff) {
    EXPECT_FALSE(Window->findChild<QLineEdit*>("txtPointX")->isVisible()) << "the editor looks as designed";
    EXPECT_FALSE(Action("mnuRotateLeft")->isEnabled());
    EXPECT_FALSE(Action("mnuObjectCentre")->isEnabled());
    EXPECT_TRUE(Action("mnuSnapToGrid")->isEnabled());
}

} // namespace quillax
