#pragma once

#include <QApplication>
#include <benchmark/benchmark.h>

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

inline int RunWindowBenchmarks(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv, [](auto run) {
        run();
        return 0;
    });
}

} // namespace quillax
