// The mesh view under load: RedrawView plus one repaint of the real window, its two halves (placing
// the markers, painting them) without a window, and the pools-and-redraw part of a load. Run by hand:
// build/bin/view_bench [--benchmark_filter=...]
#include "app/frmMain.h"
#include "bench/WindowBenchmarks.h"
#include "browse/ListBox.h"
#include "drawingarea/DrawingArea.h"
#include "objects/ObjectFileBytes.h"
#include "objects/modObjects.h"
#include "platform/MessageBoxService.h"
#include "platform/ProgramFolder.h"
#include "sampleobjects/LargeObject.h"
#include "sampleobjects/SampleObject.h"
#include "support/LinBuilder.h"
#include "support/RecordingMessageBox.h"
#include "view/MarkerPainter.h"
#include "view/MeshRedraw.h"

#include <QApplication>
#include <QCheckBox>
#include <QPainter>
#include <QSignalBlocker>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <memory>

namespace quillax {

namespace {
struct Shape {
    int32_t Points;
    int32_t Meshes;
};

// Benchmark argument 0 is the sample ship; the others are generated objects.
const std::map<int64_t, Shape> Objects = {{1, {32767, 1}}, {2, {100000, 10}}, {3, {1000000, 100}}};

std::filesystem::path Workspace() {
    static const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("quillax-view-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder / "bin" / "exe");
    std::filesystem::create_directories(folder / "Assets");
    return folder;
}

// Writes the object where "Load File" looks for it and points the program folder there.
std::string WriteObject(int64_t which) {
    const ObjectFile object =
        which == 0 ? SampleShip() : LargeObject(Objects.at(which).Points, Objects.at(which).Meshes);
    const std::filesystem::path path = Workspace() / "Assets" / "PlayerTopb.lin";
    WriteLinFile(path.string(), ObjectFileBytes(object));
    SetProgramFolder((Workspace() / "bin" / "exe").string());
    return path.string();
}

// The model and both pools as the load command leaves them, without the selector strips.
void LoadWithoutStrips(frmMain& window, const std::string& path) {
    window.ResetEditor();
    LoadObjectFile(path, CurrentObject, CurrentPlacement);
    const ViewTransform view = window.picMain->Scene().View();
    const QSignalBlocker quiet(window.LstMeshes);
    window.LstMeshes->Clear();
    for (const Mesh& mesh : CurrentObject.Meshes) {
        window.LstMeshes->AddItem("Mesh " + std::to_string(window.LstMeshes->count()));
        ScreenPoint previous{0, 0};
        for (size_t k = 0; k < mesh.X.size(); ++k) {
            const ScreenPoint point = ModelToScreen(view, mesh.X[k], mesh.Y[k]);
            window.LoadNodes(SinglePosition(point.X), SinglePosition(point.Y));
            if (k > 0) {
                window.LoadJoints(SinglePosition(previous.X), SinglePosition(previous.Y),
                                  SinglePosition(point.X), SinglePosition(point.Y));
            }
            previous = point;
        }
    }
    window.LstMeshes->SetListIndex(0);
}

std::unique_ptr<frmMain> OpenWindow() {
    auto window = std::make_unique<frmMain>();
    window->show();
    window->chkGrid->setChecked(false);
    QApplication::processEvents();
    return window;
}

void RedrawAndRepaint(benchmark::State& state) {
    RecordingMessageBox boxes;
    const std::string path = WriteObject(state.range(0));
    const auto window = OpenWindow();
    LoadWithoutStrips(*window, path);
    for (auto _ : state) {
        window->RedrawView();
        window->picMain->repaint();
    }
    state.counters["points"] = window->picMain->Scene().Node.Count();
    CheckNoErrors(state, boxes);
}

void PlaceMarkersOnly(benchmark::State& state) {
    RecordingMessageBox boxes;
    const std::string path = WriteObject(state.range(0));
    const auto window = OpenWindow();
    LoadWithoutStrips(*window, path);
    const ViewTransform view = window->picMain->Scene().View();
    for (auto _ : state) {
        PlaceMarkers(window->picMain->Scene().Node, CurrentObject, view);
    }
    CheckNoErrors(state, boxes);
}

void PaintMarkersOnly(benchmark::State& state) {
    RecordingMessageBox boxes;
    const std::string path = WriteObject(state.range(0));
    const auto window = OpenWindow();
    LoadWithoutStrips(*window, path);
    window->RedrawView();
    QImage picture(window->picMain->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        picture.fill(Qt::black);
        QPainter painter(&picture);
        const MeshScene& scene = window->picMain->Scene();
        PaintMarkers(painter, scene.Markers(), scene.Stacking());
    }
    CheckNoErrors(state, boxes);
}

// This part of "Load File": empty, read the file, fill both pools, redraw, repaint.
void LoadPoolsAndRedraw(benchmark::State& state) {
    RecordingMessageBox boxes;
    const std::string path = WriteObject(state.range(0));
    const auto window = OpenWindow();
    for (auto _ : state) {
        LoadWithoutStrips(*window, path);
        window->RedrawView();
        window->picMain->repaint();
    }
    CheckNoErrors(state, boxes);
}

// The whole command as the user runs it, strips and panel layout included.
void LoadCommand(benchmark::State& state) {
    RecordingMessageBox boxes;
    WriteObject(state.range(0));
    const auto window = OpenWindow();
    for (auto _ : state) {
        window->cmdLoadFile_Click();
        window->picMain->repaint();
    }
    CheckNoErrors(state, boxes);
}

void Configure(benchmark::internal::Benchmark* benchmark) {
    benchmark->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
}
} // namespace

BENCHMARK(RedrawAndRepaint)->Arg(0)->Arg(2)->Arg(3)->Apply(Configure);
BENCHMARK(PlaceMarkersOnly)->Arg(0)->Arg(2)->Arg(3)->Apply(Configure);
BENCHMARK(PaintMarkersOnly)->Arg(0)->Arg(2)->Arg(3)->Apply(Configure);
BENCHMARK(LoadPoolsAndRedraw)->Arg(0)->Arg(1)->Apply(Configure);
BENCHMARK(LoadCommand)->Arg(0)->Arg(1)->Apply(Configure);

} // namespace quillax

using namespace quillax;

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv, [](auto run) {
        run();
        std::filesystem::remove_all(Workspace());
        return 0;
    });
}
