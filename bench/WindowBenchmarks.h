#pragma once

#include "app/frmMain.h"
#include "objects/ObjectFileBytes.h"
#include "support/LinBuilder.h"
#include "support/RecordingMessageBox.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

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

// A shown window holding the object, loaded as "Open" loads it. The file stays until the process
// ends: the window notices a file removed under it, and would ask about it.
inline std::unique_ptr<frmMain> LoadedWindow(const ObjectFile& object) {
    static const QTemporaryDir folder;
    static int loaded = 0;
    auto window = std::make_unique<frmMain>();
    window->show();
    QApplication::processEvents();
    const std::string path = folder.filePath("object-" + QString::number(++loaded) + ".lin").toStdString();
    WriteLinFile(path, ObjectFileBytes(object));
    window->LoadObject(path);
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
