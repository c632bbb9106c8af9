// The cost of one click on a selector box for an object of 100,000 points whose chosen mesh has
// 32,767: the toggle, the repaint of that one box, and the redraw of the drawing area.
#include "app/frmMain.h"
#include "bench/WindowBenchmarks.h"
#include "browse/SelectorStrip.h"
#include "objects/ObjectFileBytes.h"
#include "platform/MessageBoxService.h"
#include "platform/ProgramFolder.h"
#include "sampleobjects/LargeObject.h"
#include "support/LinBuilder.h"
#include "support/RecordingMessageBox.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace quillax {

namespace {
constexpr int32_t ObjectPoints = 100000;
constexpr int32_t ChosenMeshPoints = 32767;

ObjectFile ClickObject(int32_t points) {
    ObjectFile object = LargeObject(ChosenMeshPoints, 1);
    if (points > ChosenMeshPoints) {
        ObjectFile rest = LargeObject(points - ChosenMeshPoints, 3);
        object.Meshes.insert(object.Meshes.end(), rest.Meshes.begin(), rest.Meshes.end());
        object.MeshCount = static_cast<int16_t>(object.Meshes.size());
    }
    return object;
}

// Puts the boxes where the layout flows them (rows of points, columns of lines on a 20-pixel
// pitch), so that the figures do not depend on the state of the layout code.
void FlowLikeTheLayout(ElementArray<BoxElement>& boxes, int perLine, bool rows) {
    for (int16_t k = 0; k < boxes.Count(); ++k) {
        const float along = static_cast<float>(1 + 20 * (k % perLine));
        const float across = static_cast<float>(1 + 20 * (k / perLine));
        boxes(k).Left = rows ? along : across;
        boxes(k).Top = rows ? across : along;
    }
}

// A loaded editor window over a temporary asset folder.
class LoadedEditor {
public:
    LoadedEditor() {
        char pattern[] = "/tmp/quillax-bench-XXXXXX";
        Root = mkdtemp(pattern);
        std::filesystem::create_directories(Root / "bin" / "exe");
        std::filesystem::create_directories(Root / "Assets");
        SetProgramFolder((Root / "bin" / "exe").string());
        Window = std::make_unique<frmMain>();
        Window->show();
        // While the marker pools count in 16 bits the editor cannot hold 100,000 points; then the
        // chosen mesh alone is the object.
        if (!LoadObject(ObjectPoints)) {
            LoadObject(ChosenMeshPoints);
        }
        FlowLikeTheLayout(Window->picPoint, (static_cast<int>(Window->ScaleWidth()) - 23) / 20 + 1, true);
        FlowLikeTheLayout(Window->picLine, (static_cast<int>(Window->ScaleHeight()) - 46) / 20 + 1, false);
        Window->picTopBar->RepaintChangedBoxes();
        Window->picSideBar->RepaintChangedBoxes();
        QCoreApplication::processEvents();
    }
    ~LoadedEditor() {
        Window.reset();
        SetProgramFolder("");
        std::filesystem::remove_all(Root);
    }

    std::unique_ptr<frmMain> Window;

private:
    bool LoadObject(int32_t points) {
        WriteLinFile((Root / "Assets" / "PlayerTopb.lin").string(), ObjectFileBytes(ClickObject(points)));
        RecordingMessageBox errors;
        Window->cmdLoadFile->click();
        const bool loaded = errors.Records.empty();
        benchmark::AddCustomContext(loaded ? "object points" : "object points not loaded",
                                    std::to_string(points) +
                                        (loaded ? "" : " (" + errors.Records[0].Prompt + ")"));
        return loaded;
    }

    std::filesystem::path Root;
};

LoadedEditor* Editor = nullptr;

// Boxes of the first row, which the top bar always shows.
QPoint MiddleOfBox(int16_t index) {
    const BoxElement& box = Editor->Window->picPoint(index);
    return QPoint(static_cast<int>(box.Left) + 8, static_cast<int>(box.Top) + 8);
}

int16_t NextBox(int16_t& box) {
    box = static_cast<int16_t>((box + 1) % 40);
    return box;
}

// The whole path: mouse press and release, the handler, and the paints that follow.
void BM_ClickPointBox(benchmark::State& state) {
    int16_t box = 0;
    for (auto _ : state) {
        QTest::mouseClick(Editor->Window->picTopBar, Qt::LeftButton, {}, MiddleOfBox(NextBox(box)));
        QCoreApplication::processEvents();
    }
}

// The toggle alone: the flag, the strips' repaint request and RedrawView, painting deferred.
void BM_PaintPointBox(benchmark::State& state) {
    int16_t box = 0;
    for (auto _ : state) {
        Editor->Window->PaintPointBox(0, NextBox(box));
    }
    QCoreApplication::processEvents();
}

// Painting the strips after a mark changed: the boxes they show, from the marks.
void BM_StripRepaintMarks(benchmark::State& state) {
    int16_t box = 0;
    for (auto _ : state) {
        Editor->Window->Document().TogglePointMark(0, NextBox(box));
        QCoreApplication::processEvents();
    }
}

// What every handler's end costs the strips: looking for changed boxes when none changed.
void BM_StripsFindNoChange(benchmark::State& state) {
    for (auto _ : state) {
        Editor->Window->picTopBar->RepaintChangedBoxes();
        Editor->Window->picSideBar->RepaintChangedBoxes();
    }
}

// RedrawView and the drawing area's paint.
void BM_RedrawView(benchmark::State& state) {
    for (auto _ : state) {
        Editor->Window->RedrawView();
        QCoreApplication::processEvents();
    }
}

BENCHMARK(BM_ClickPointBox)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintPointBox)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StripRepaintMarks)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StripsFindNoChange)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RedrawView)->Unit(benchmark::kMillisecond);
} // namespace

} // namespace quillax

using namespace quillax;

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv, [](auto run) {
        LoadedEditor editor;
        Editor = &editor;
        run();
        Editor = nullptr;
        return 0;
    });
}
