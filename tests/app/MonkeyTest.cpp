#include "support/EditorFixture.h"

#include "app/frmMain.h"
#include "app/modWinSize.h"
#include "browse/ListBox.h"
#include "browse/SelectorStrip.h"
#include "drawingarea/DrawingArea.h"
#include "objects/modObjects.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>

#include <cstdlib>
#include <random>

namespace quillax {

namespace {
// Sends random user events to the real window and checks after each that the editor is consistent.
// Deterministic from its seed; QUILLAX_MONKEY_SEED and QUILLAX_MONKEY_EVENTS override the defaults.
class MonkeyTest : public EditorFixture {
protected:
    void SetUp() override {
        Seed = EnvNumber("QUILLAX_MONKEY_SEED", 20261207);
        Events = EnvNumber("QUILLAX_MONKEY_EVENTS", 20000);
        Random.seed(static_cast<std::mt19937::result_type>(Seed));
        Good = MeshesOf({5, 3, 9, 2});
        Good.Meshes[1].Red = 1.5f;
        Good.Meshes[2].Green = -0.5f;
        Broken = Good;
        Broken.Meshes[2].PointCountOverride = 1;
    }

    static long EnvNumber(const char* name, long fallback) {
        const char* text = std::getenv(name);
        return text ? std::strtol(text, nullptr, 10) : fallback;
    }

    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(Random); }

    void ClickBox(SelectorStrip* strip, const ElementArray<BoxElement>& boxes) {
        const BoxElement& box = boxes(static_cast<int16_t>(Pick(boxes.Count())));
        QTest::mouseClick(
            strip, Qt::LeftButton, {},
            QPoint(static_cast<int>(box.Left + box.Width / 2), static_cast<int>(box.Top + box.Height / 2)));
    }

    // One random event; true when it is one that may show an error box.
    bool SendEvent() {
        frmMain& w = *Window;
        switch (Pick(12)) {
        case 0:
            WriteObject(Good);
            w.cmdLoadFile->click();
            Loaded = true;
            return false;
        case 1:
            if (Pick(10) == 0) {
                WriteObject(Broken);
                w.cmdLoadFile->click();
                Loaded = false;
                return true;
            }
            return false;
        case 2:
            if (w.LstMeshes->count() > 0) {
                w.LstMeshes->SetListIndex(Pick(w.LstMeshes->count()));
            }
            return false;
        case 3:
            ClickBox(w.picTopBar, w.picPoint);
            return false;
        case 4:
            ClickBox(w.picSideBar, w.picLine);
            return false;
        case 5:
            w.cmdScaleUp->click();
            return false;
        case 6:
            w.cmdScaleDown->click();
            return false;
        case 7:
            (Pick(2) ? w.cmdGridSpaceInc : w.cmdGridSpaceDec)->click();
            return false;
        case 8:
            w.chkGrid->click();
            return false;
        case 9:
            w.cmdRefresh->click();
            return false;
        case 10:
            w.resize(Pick(1600) + 1, Pick(1200) + 1);
            return false;
        default:
            QCoreApplication::processEvents();
            return false;
        }
    }

    void CheckInvariants() {
        frmMain& w = *Window;
        ASSERT_EQ(MinHeight, static_cast<float>(w.frameControls->y() + w.frameControls->height() + 60));
        ASSERT_EQ(Loaded, CurrentObject.MeshCount > 0);
        if (!Loaded) {
            ASSERT_TRUE(w.picMain->Scene().Node.IsEmpty());
            ASSERT_TRUE(w.picMain->Scene().Joint.IsEmpty());
            ASSERT_TRUE(w.picPoint.IsEmpty());
            ASSERT_TRUE(w.picLine.IsEmpty());
            ASSERT_EQ(w.LstMeshes->count(), 0);
            return;
        }
        long points = 0;
        for (const Mesh& mesh : CurrentObject.Meshes) {
            points += mesh.PointCount;
        }
        ASSERT_EQ(w.picMain->Scene().Node.Count(), points);
        ASSERT_EQ(w.picMain->Scene().Joint.Count(), points - CurrentObject.MeshCount);
        const int chosen = w.LstMeshes->ListIndex();
        ASSERT_GE(chosen, 0);
        const Mesh& mesh = CurrentObject.Meshes[static_cast<size_t>(chosen)];
        const MeshSelection& selection = CurrentPlacement.Selections[static_cast<size_t>(chosen)];
        ASSERT_EQ(w.picPoint.Count(), mesh.PointCount);
        ASSERT_EQ(w.picLine.Count(), mesh.PointCount - 1);
        for (int16_t k = 0; k < w.picPoint.Count(); ++k) {
            ASSERT_TRUE(w.picPoint(k).Visible);
            ASSERT_EQ(w.picTopBar->ShownColour(k),
                      selection.PointFlags[static_cast<size_t>(k)] ? 33023 : 128);
        }
        for (int16_t k = 0; k < w.picLine.Count(); ++k) {
            ASSERT_TRUE(w.picLine(k).Visible);
            ASSERT_EQ(w.picSideBar->ShownColour(k),
                      selection.LineFlags[static_cast<size_t>(k)] ? 12288000 : 32768);
        }
    }

    long Seed = 0;
    long Events = 0;
    std::mt19937 Random;
    LinObject Good;
    LinObject Broken;
    bool Loaded = false;
};
} // namespace

TEST_F(MonkeyTest, TheEditorSurvivesRandomUseConsistently) {
    Load(Good);
    Loaded = true;
    for (long event = 0; event < Events; ++event) {
        const size_t boxesBefore = Boxes.Records.size();
        const bool mayReport = SendEvent();
        ASSERT_LE(Boxes.Records.size(), boxesBefore + (mayReport ? 1 : 0))
            << "seed " << Seed << ", event " << event << ": " << Boxes.Records.back().Prompt;
        CheckInvariants();
        if (HasFatalFailure()) {
            FAIL() << "seed " << Seed << ", event " << event;
        }
    }
}

} // namespace quillax
