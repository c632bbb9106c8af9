#pragma once

#include "app/frmMain.h"
#include "drawingarea/DrawingArea.h"
#include "gestures/PointEditGesture.h"
#include "objects/ObjectFileBytes.h"
#include "support/LinBuilder.h"
#include "support/RecordingMessageBox.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

namespace quillax {

// The main of a benchmark program that drives the window: Qt on the offscreen platform unless another
// is asked for, then the benchmarks; `around` gets a call that runs them and gives the exit status.
template <typename Around> int RunWindowBenchmarks(int argc, char** argv, Around&& around) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const int status = around([] { benchmark::RunSpecifiedBenchmarks(); });
    benchmark::Shutdown();
    return status;
}

// A benchmark that raised a message box measured an error path: it is skipped, naming the message.
inline void CheckNoErrors(benchmark::State& state, const RecordingMessageBox& boxes) {
    if (!boxes.Records.empty()) {
        state.SkipWithError(boxes.Records.front().Prompt.c_str());
    }
}

// The steps of a drag begun at `from`: a pixel down and right and back in turn, each repainted; the
// drag ends where it began.
inline void TimeDragSteps(benchmark::State& state, frmMain& window, PointEditGesture& edits, QPoint from) {
    int step = 0;
    for (auto _ : state) {
        step = step == 1 ? -1 : 1;
        edits.Dragged(from, from + QPoint(step, step));
        window.picMain->repaint();
    }
    edits.DragEnded(from, from);
}

// Closes the window, then removes the file it was loaded from: a file gone while its window is open is
// one the window tells of when it is next activated, a message box the benchmark would count as an error.
struct ClosedThenRemoved {
    std::filesystem::path File;
    void operator()(frmMain* window) const {
        delete window;
        std::error_code ignored;
        std::filesystem::remove(File, ignored);
    }
};
using WindowWithFile = std::unique_ptr<frmMain, ClosedThenRemoved>;

// A shown window holding the object, loaded as "Open" loads it from a file of its own.
inline WindowWithFile LoadedWindow(const ObjectFile& object) {
    static int loaded = 0;
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("quillax-bench-" + std::to_string(getpid()) + "-" + std::to_string(++loaded) + ".lin");
    WriteLinFile(path.string(), ObjectFileBytes(object));
    WindowWithFile window(new frmMain, ClosedThenRemoved{path});
    window->show();
    QApplication::processEvents();
    window->LoadObject(path.string());
    QApplication::processEvents();
    return window;
}

inline int RunWindowBenchmarks(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv, [](auto run) {
        run();
        return 0;
    });
}

} // namespace quillax
