// The editor as the kill drill runs it: the real window, its recovery copies and its saves, with the
// user's part played by a timer. It starts as the editor starts (the file opened, then the leftover
// copies offered), checks what the file and an offered copy hold, then edits and saves until it is
// killed, writing what it did to a journal that outlives it:
//   file N        the file holds edits 1 to N, whole ("file bad" otherwise)
//   offer N       a leftover copy holds edits 1 to N ("offer bad" otherwise)
//   ready N T     editing starts from edit N at time T
//   edit K T      edit K is done
//   save K T      a save of edits 1 to K begins; saved K T when it is written
//   box TEXT      any other message box, which the drill never expects
// Usage: recovery-drill FILE BASE JOURNAL SEED

#include "DrillEdits.h"

#include "app/RecoveryOffer.h"
#include "app/frmMain.h"
#include "objects/modObjects.h"
#include "platform/MessageBoxService.h"
#include "platform/RuntimeError.h"
#include "recovery/RecoveryFolder.h"

#include <QAction>
#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <filesystem>
#include <random>

using namespace quillax;

namespace {
constexpr int EditMilliseconds = 40;
constexpr int SaveOneIn = 25;

FILE* Journal = nullptr;
QtMessageHandler QtHandler = nullptr;

// The offscreen platform's notices (size hints, raising) are no news in a drill.
void DropOffscreenNotices(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!message.startsWith(QLatin1String("This plugin does not support"))) {
        QtHandler(type, context, message);
    }
}

void Note(const std::string& line) {
    std::fprintf(Journal, "%s\n", line.c_str());
    std::fflush(Journal);
}

std::optional<int64_t> EditsInFile(const std::string& path, const ObjectFile& base) {
    ObjectFile object;
    ObjectPlacement placement;
    try {
        if (!LoadObjectFile(path, object, placement)) {
            return std::nullopt;
        }
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
    return DrillEdits::EditsIn(object, base);
}

std::string Counted(const char* what, const std::optional<int64_t>& edits) {
    return std::string(what) + " " + (edits ? std::to_string(*edits) : "bad");
}

// Plays the user at the offer: a copy ahead of the file is recovered, one behind it discarded.
class DrillAnswers : public MessageBoxService {
public:
    DrillAnswers(std::string folder, const ObjectFile& base, int64_t inFile)
        : Folder(std::move(folder)), Base(base), InFile(inFile), Previous(SetMessageBoxService(this)) {}
    ~DrillAnswers() override { SetMessageBoxService(Previous); }

    int32_t Show(const std::string& prompt, int32_t, const std::string&) override {
        Note("box " + prompt.substr(0, prompt.find('\r')));
        return MsgBoxResult::Ok;
    }

    size_t Ask(const std::string& prompt, const std::vector<std::string>& answers, size_t,
               const std::string&) override {
        if (answers.empty() || answers[0] != "Recover") {
            Note("box " + prompt.substr(0, prompt.find('\r')));
            return answers.size() - 1;
        }
        std::optional<int64_t> edits;
        auto newest = std::filesystem::file_time_type::min();
        for (const auto& entry : std::filesystem::directory_iterator(Folder)) {
            if (entry.path().extension() == ".lin" && entry.last_write_time() >= newest) {
                newest = entry.last_write_time();
                edits = EditsInFile(entry.path().string(), Base);
            }
        }
        Note(Counted("offer", edits));
        return edits && *edits > InFile ? 0 : 1;
    }

private:
    std::string Folder;
    const ObjectFile& Base;
    int64_t InFile;
    MessageBoxService* Previous;
};
} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: recovery-drill FILE BASE JOURNAL SEED\n");
        return 2;
    }
    QtHandler = qInstallMessageHandler(DropOffscreenNotices);
    QApplication app(argc, argv);
    const std::string file = argv[1];
    Journal = std::fopen(argv[3], "a");
    std::mt19937 random(static_cast<unsigned>(std::stoul(argv[4])));
    ObjectFile base;
    ObjectPlacement placement;
    LoadObjectFile(argv[2], base, placement);
    const std::optional<int64_t> inFile = EditsInFile(file, base);
    Note(Counted("file", inFile));

    frmMain window;
    window.show();
    RecoveryOffer* recovery = window.findChild<RecoveryOffer*>();
    DrillAnswers answers(RecoveryFolder(), base, inFile.value_or(0));
    window.RunHandler([&] { window.OpenObject(file); });
    window.RunHandler([&] { recovery->OfferLeftovers(); });
    std::optional<int64_t> edits = DrillEdits::EditsIn(window.Document().Object(), base);
    if (!edits) {
        Note("start bad");
        return 1;
    }
    Note("ready " + std::to_string(*edits) + " " + std::to_string(DrillEdits::Now()));
    QAction* save = window.findChild<QAction*>("mnuSave");
    QTimer edit;
    QObject::connect(&edit, &QTimer::timeout, [&] {
        const int64_t k = ++*edits;
        ObjectDocument& document = window.Document();
        const size_t mesh = DrillEdits::MeshOf(k, document.Object());
        const Mesh& points = document.Object().Meshes[mesh];
        window.RunHandler([&] {
            document.MovePoints(static_cast<int32_t>(mesh),
                                {{0, points.X[0], points.Y[0], static_cast<float>(k), points.Y[0]}});
        });
        Note("edit " + std::to_string(k) + " " + std::to_string(DrillEdits::Now()));
        if (random() % SaveOneIn == 0) {
            Note("save " + std::to_string(k) + " " + std::to_string(DrillEdits::Now()));
            save->trigger();
            Note("saved " + std::to_string(k) + " " + std::to_string(DrillEdits::Now()));
        }
    });
    edit.start(EditMilliseconds);
    return app.exec();
}
