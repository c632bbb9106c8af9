// Never losing work with a million points. The recovery copy: the writer thread's part (the copy,
// 8 MB, written whole and synced through the one output path; the window thread's part, the copy's
// bytes, is object_file_bench's BM_ObjectFileBytes/31), and through the real window, from an edit
// until its copy is on disk, with the longest the event loop went without turning meanwhile. And how
// long the billion-point claim file takes to refuse. Run by hand:
// build/bin/recovery_bench [--benchmark_repetitions=5]
#include "app/frmMain.h"
#include "bench/WindowBenchmarks.h"
#include "document/ObjectRoom.h"
#include "fileio/OutputFile.h"
#include "randomwalk/RandomWalkObject.h"
#include "support/BillionPointClaim.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <QElapsedTimer>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace quillax {

namespace {
ObjectFile MillionPoints() {
    return RandomWalkObject({*ParseMeshSizes("30x32767,1x16990"), 1});
}

void CopyWrite(benchmark::State& state) {
    const TempFolder folder;
    const std::vector<uint8_t> bytes = ObjectFileBytes(MillionPoints());
    for (auto _ : state) {
        if (!WriteWholeFile(folder.Path("copy.lin"), bytes).Ok()) {
            state.SkipWithError("cannot write the copy");
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

int64_t WrittenAt(const std::string& folder) {
    int64_t newest = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        struct stat status {};
        if (entry.path().extension() == ".lin" && stat(entry.path().c_str(), &status) == 0) {
            newest =
                std::max<int64_t>(newest, status.st_mtim.tv_sec * 1'000'000'000 + status.st_mtim.tv_nsec);
        }
    }
    return newest;
}

// Manual time: from the edit (after its repaint) until the copy holding it is on disk.
void EditToCopyOnDisk(benchmark::State& state) {
    const TempFolder folder;
    qputenv("XDG_STATE_HOME", folder.Path("state").c_str());
    const std::string copies = folder.Path("state/quillax-editor/recovery");
    RecordingMessageBox boxes;
    WriteRandomWalkFile(folder.Path("walk.lin"), MillionPoints());
    const auto window = std::make_unique<frmMain>();
    window->show();
    window->LoadObject(folder.Path("walk.lin"));
    ObjectDocument& document = window->Document();
    double longestStall = 0;
    float x = 0;
    for (auto _ : state) {
        std::filesystem::create_directories(copies);
        const int64_t before = WrittenAt(copies);
        document.MovePoints(0, {{0, x, 0, x + 1, 0}});
        x += 1;
        QApplication::processEvents();
        QElapsedTimer elapsed;
        elapsed.start();
        qint64 lastTurn = 0;
        while (WrittenAt(copies) == before) {
            QApplication::processEvents(QEventLoop::AllEvents, 1);
            const qint64 now = elapsed.nsecsElapsed();
            longestStall = std::max(longestStall, static_cast<double>(now - lastTurn) / 1e6);
            lastTurn = now;
            usleep(200);
        }
        state.SetIterationTime(static_cast<double>(elapsed.nsecsElapsed()) / 1e9);
    }
    state.counters["longest_stall_ms"] = longestStall;
    CheckNoErrors(state, boxes);
}

void RefuseBillionPointClaim(benchmark::State& state) {
    const TempFolder folder;
    const std::string claim = folder.Path("claim.lin");
    if (!WriteBillionPointClaim(claim)) {
        state.SkipWithError("cannot write the claim");
    }
    for (auto _ : state) {
        try {
            CheckRoomForObject(claim, 45);
            state.SkipWithError("not refused");
        } catch (const ObjectTooLarge&) {
        }
    }
}
} // namespace

BENCHMARK(CopyWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(EditToCopyOnDisk)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(RefuseBillionPointClaim)->Unit(benchmark::kMillisecond);

} // namespace quillax

int main(int argc, char** argv) {
    return quillax::RunWindowBenchmarks(argc, argv);
}
