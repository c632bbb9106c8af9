#include "support/EditorFixture.h"

#include "app/modWinSize.h"
#include "browse/ListBox.h"
#include "browse/SelectorStrip.h"
#include "drawingarea/DrawingArea.h"
#include "objects/modObjects.h"
#include "randomwalk/RandomWalkObject.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QPushButton>

#include <functional>
#include <string>
#include <vector>

namespace quillax {

namespace {
// What a test can see of the window at one moment: sizes, pools, strips, list, minimum.
struct Moment {
    int Height;
    QRect Main;
    int Nodes;
    int Joints;
    int Points;
    int Lines;
    int Meshes;
    float Minimum;

    bool operator==(const Moment&) const = default;
};

Moment Now(const frmMain& w) {
    return {w.height(),
            w.picMain->geometry(),
            w.picMain->Scene().Node.Count(),
            w.picMain->Scene().Joint.Count(),
            w.picPoint.Count(),
            w.picLine.Count(),
            w.LstMeshes->count(),
            static_cast<float>(MinHeight)};
}

// The window at every resize, the growth steps of the layout included; when asked, the background's
// pixels are made at each, as they were before the background deferred them.
class GrowthSteps : public QObject {
public:
    GrowthSteps(frmMain& window, bool makePixels) : Window(window), MakePixels(makePixels) {
        window.installEventFilter(this);
    }
    std::vector<Moment> Seen;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize) {
            Seen.push_back(Now(Window));
            if (MakePixels) {
                Window.picMain->Scene().Background();
            }
        }
        return false;
    }

private:
    frmMain& Window;
    bool MakePixels;
};

// Everything the load leaves: the picture, the layout and every marker and box.
struct Outcome {
    std::vector<Moment> Steps;
    QImage Background;
    QImage Picture;
    std::vector<QRect> Panels;
    std::vector<std::vector<float>> Markers;
    std::vector<BoxElement> Boxes;
};

Outcome OutcomeOf(const frmMain& w, std::vector<Moment> steps) {
    Outcome outcome{
        std::move(steps), w.picMain->Scene().Background().copy(), w.picMain->Scene().Picture(), {}, {}, {}};
    for (const QWidget* panel :
         {static_cast<const QWidget*>(&w), static_cast<const QWidget*>(w.picMain),
          static_cast<const QWidget*>(w.picTopBar), static_cast<const QWidget*>(w.picSideBar),
          static_cast<const QWidget*>(w.frameControls)}) {
        outcome.Panels.push_back(panel->geometry());
    }
    const MeshScene& scene = w.picMain->Scene();
    for (int32_t k = 0; k < scene.Node.Count(); ++k) {
        const NodeElement n = scene.NodeAt(k);
        outcome.Markers.push_back({n.Left, n.Top, n.Width, n.Height, static_cast<float>(n.FillColor),
                                   static_cast<float>(n.BorderColor), static_cast<float>(n.Visible)});
    }
    for (int32_t k = 0; k < scene.Joint.Count(); ++k) {
        const JointElement j = scene.JointAt(k);
        outcome.Markers.push_back({j.X1, j.Y1, j.X2, j.Y2, static_cast<float>(j.BorderColor),
                                   static_cast<float>(j.BorderWidth), static_cast<float>(j.Visible)});
    }
    outcome.Boxes.assign(w.picPoint.begin(), w.picPoint.end());
    outcome.Boxes.insert(outcome.Boxes.end(), w.picLine.begin(), w.picLine.end());
    return outcome;
}

// The designed load, one step after another, run outside any handler: every resize of a growth
// step is a handler of its own and redraws the whole scene at once.
void LoadStepByStep(frmMain& w) {
    w.ResetEditor();
    ASSERT_TRUE(LoadObjectFile(w.ObjectFilePath(), CurrentObject, CurrentPlacement));
    w.LstMeshes->Clear();
    for (int16_t i = 0; i < CurrentObject.MeshCount; ++i) {
        w.LstMeshes->AddItem("Mesh " + std::to_string(i));
    }
    w.picMain->Scene().LoadMarkers([&w](int16_t meshIndex, int32_t points) {
        for (int32_t k = 0; meshIndex == 0 && k < points; ++k) {
            w.LoadPointBoxes();
            if (k > 0) {
                w.LoadLineBoxes();
            }
        }
    });
    w.LstMeshes->SetListIndex(0);
}

// A choice in the mesh list as designed, inside one handler: a layout run after every box.
void ChooseBoxByBox(frmMain& w, int16_t mesh) {
    w.RunHandler([&] {
        w.Document().ChooseMesh(mesh);
        while (w.picPoint.Count() < CurrentObject.Meshes[static_cast<size_t>(mesh)].PointCount) {
            w.LoadPointBoxes();
            w.LoadLineBoxes();
        }
        w.RedrawView();
    });
}

class DeferredRedrawTest : public EditorFixture {
protected:
    // A window that loaded the object and was then set up as given chooses `mesh`, by a click in the
    // list or box by box; what it leaves, and the messages shown.
    std::pair<Outcome, std::vector<std::string>> ChooseIn(const LinObject& object,
                                                          const std::function<void(frmMain&)>& setUp,
                                                          int16_t mesh, bool byClick) {
        Window = std::make_unique<frmMain>();
        Window->show();
        Load(object);
        setUp(*Window);
        Boxes.Records.clear();
        GrowthSteps steps(*Window, false);
        if (byClick) {
            Window->LstMeshes->SetListIndex(mesh);
        } else {
            ChooseBoxByBox(*Window, mesh);
        }
        std::vector<std::string> messages;
        for (const auto& record : Boxes.Records) {
            messages.push_back(record.Prompt);
        }
        steps.Seen.push_back(Now(*Window));
        return {OutcomeOf(*Window, steps.Seen), messages};
    }

    // A short window, set up as given, loads the object, by the step-by-step path or by the command.
    Outcome LoadIn(const std::function<void(frmMain&)>& setUp, bool byCommand) {
        Window = std::make_unique<frmMain>();
        Window->show();
        Window->resize(Window->width(), 470);
        setUp(*Window);
        GrowthSteps steps(*Window, !byCommand);
        if (byCommand) {
            Window->cmdLoadFile->click();
        } else {
            LoadStepByStep(*Window);
        }
        return OutcomeOf(*Window, steps.Seen);
    }
};
} // namespace

// Redraws inside the command that nobody can see are left out, and the picture is the one every
// redraw in turn leaves: the last one's, as its grid covers the whole area.
TEST_F(DeferredRedrawTest, LoadFileLeavesTheSamePictureAndLayoutAsEveryRedrawInTurn) {
    WriteRandomWalkFile(Folder.Path("Assets/PlayerTopb.lin"),
                        RandomWalkObject({{300, 300, 40}, 7, 3.0f, 30.0f}));
    // With this object the last redraws shrink the drawing area, where the designed tiling of cells of
    // 32 and 48 pixels stops short of its edges.
    const auto spacing = [](int clicks) {
        return [clicks](frmMain& w) {
            for (int k = 0; k < clicks; ++k) {
                w.cmdGridSpaceInc->click();
            }
        };
    };
    const std::vector<std::function<void(frmMain&)>> setUps = {spacing(3), spacing(7),
                                                               [](frmMain& w) { w.chkGrid->click(); }};
    for (size_t k = 0; k < setUps.size(); ++k) {
        const Outcome designed = LoadIn(setUps[k], false);
        if (Window->chkGrid->isChecked()) {
            Window->picMain->Scene().Cls();
            Window->picMain->Scene().DrawBackground();
            EXPECT_EQ(designed.Background, Window->picMain->Scene().Background())
                << k << ": earlier redraws left pixels that the last one does not paint";
        }
        const Outcome command = LoadIn(setUps[k], true);
        EXPECT_GT(designed.Steps.size(), 20u) << k << ": the layout grows the window step by step";
        EXPECT_EQ(command.Steps, designed.Steps) << k;
        EXPECT_EQ(command.Background, designed.Background) << k;
        EXPECT_EQ(command.Picture, designed.Picture) << k;
        EXPECT_EQ(command.Panels, designed.Panels) << k;
        EXPECT_EQ(command.Markers, designed.Markers) << k;
        EXPECT_EQ(command.Boxes, designed.Boxes) << k;
    }
    EXPECT_TRUE(Boxes.Records.empty());
}

// The layout runs a choice leaves out change nothing: the window grows by the same steps, each seen with
// the same boxes, and ends with the same picture, panels, boxes and minimum height.
TEST_F(DeferredRedrawTest, ChoosingAMeshLeavesWhatALayoutRunAfterEveryBoxLeaves) {
    const auto shortWindow = [](frmMain& w) {
        w.resize(w.width(), 470);
        for (int k = 0; k < 3; ++k) {
            w.cmdGridSpaceInc->click();
        }
    };
    const auto [designed, designedMessages] = ChooseIn(MeshesOf({10, 600}), shortWindow, 1, false);
    const auto [clicked, clickedMessages] = ChooseIn(MeshesOf({10, 600}), shortWindow, 1, true);
    EXPECT_GT(designed.Steps.size(), 100u) << "the layout grows the window row by row";
    EXPECT_EQ(designed.Steps.back().Minimum, 661.0f) << "ten rows and a scroll bar";
    EXPECT_EQ(clicked.Steps, designed.Steps);
    EXPECT_EQ(clicked.Background, designed.Background);
    EXPECT_EQ(clicked.Picture, designed.Picture);
    EXPECT_EQ(clicked.Panels, designed.Panels);
    EXPECT_EQ(clicked.Markers, designed.Markers);
    EXPECT_EQ(clicked.Boxes, designed.Boxes);
    EXPECT_TRUE(designedMessages.empty());
    EXPECT_TRUE(clickedMessages.empty());
}

// A line strip one box high runs out of 16-bit room: the choice stops at the box whose run overflowed,
// with the boxes before it laid out, whichever runs were left out.
TEST_F(DeferredRedrawTest, AnOverflowInAChoiceStopsAtTheSameBox) {
    const auto oneBoxHigh = [](frmMain& w) {
        w.LstMeshes->SetListIndex(1);
        QWidget* inner = w.picMain->parentWidget();
        inner->resize(inner->width(), 252);
    };
    const LinObject object = MeshesOf({500, 10, 3000});
    const auto [designed, designedMessages] = ChooseIn(object, oneBoxHigh, 2, false);
    const auto [clicked, clickedMessages] = ChooseIn(object, oneBoxHigh, 2, true);
    ASSERT_EQ(designedMessages.size(), 1u);
    EXPECT_NE(designedMessages[0].find("Run-time error '6'"), std::string::npos) << designedMessages[0];
    EXPECT_EQ(clickedMessages, designedMessages);
    EXPECT_LT(designed.Steps.back().Points, 3000);
    EXPECT_EQ(clicked.Steps, designed.Steps);
    EXPECT_EQ(clicked.Panels, designed.Panels);
    EXPECT_EQ(clicked.Boxes, designed.Boxes);
}

} // namespace quillax
