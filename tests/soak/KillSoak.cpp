// The kill drill: the editor (recovery-drill) edits and saves a million-point object and is killed
// with SIGKILL at random moments, then started again, each time. After each kill it checks that the
// file holds the last save, or the one under way, whole; that a copy, when offered, loads and holds
// every edit but those of the last two seconds; and that no copy of a running editor is ever taken
// for a leftover. Prints the counts; exits 1 on any failure.
// Usage: kill_soak [--kills N] [--seed S] [--meshes COUNTxPOINTS,...] (a million points by default)

#include "DrillEdits.h"

#include "randomwalk/RandomWalkObject.h"
#include "recovery/LeftoverCopies.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

using namespace quillax;

namespace {
constexpr int64_t MostLostMilliseconds = 2000;
constexpr int64_t StartMilliseconds = 180'000;

struct Line {
    std::string What;
    int64_t Edits = -1;
    int64_t Time = 0;
};

std::vector<Line> ReadJournal(const std::string& path) {
    std::vector<Line> lines;
    std::ifstream journal(path);
    for (std::string text; std::getline(journal, text);) {
        std::istringstream fields(text);
        Line line;
        std::string edits;
        fields >> line.What >> edits >> line.Time;
        if (line.What == "box") {
            line.What = text;
        } else if (!edits.empty() && edits != "bad") {
            line.Edits = std::stoll(edits);
        }
        lines.push_back(line);
    }
    return lines;
}

const Line* Find(const std::vector<Line>& lines, const std::string& what) {
    for (const Line& line : lines) {
        if (line.What == what) {
            return &line;
        }
    }
    return nullptr;
}

// The editor's own output goes to `output`, read when a run fails.
pid_t Start(const std::vector<std::string>& arguments, const std::string& state, const std::string& output) {
    std::vector<std::string> environment{"XDG_STATE_HOME=" + state, "QT_QPA_PLATFORM=offscreen"};
    for (char** variable = environ; *variable != nullptr; ++variable) {
        if (!std::string(*variable).starts_with("XDG_STATE_HOME=") &&
            !std::string(*variable).starts_with("QT_QPA_PLATFORM=")) {
            environment.emplace_back(*variable);
        }
    }
    const auto pointers = [](std::vector<std::string>& texts) {
        std::vector<char*> list;
        for (std::string& text : texts) {
            list.push_back(text.data());
        }
        list.push_back(nullptr);
        return list;
    };
    std::vector<std::string> argv = arguments;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, argv[0].c_str(), &actions, nullptr, pointers(argv).data(),
                                   pointers(environment).data());
    posix_spawn_file_actions_destroy(&actions);
    return failed != 0 ? -1 : pid;
}

struct Tally {
    int Kills = 0;
    int LastSave = 0;
    int SaveUnderWay = 0;
    int Offered = 0;
    int Recovered = 0;
    int64_t MostLost = 0;
    int64_t LongestLost = 0;
    std::vector<std::string> Failures;
    int FailedKills = 0;
};

// What the journal of the killed run and the start after it say, against the rules.
void Judge(const std::vector<Line>& killed, const std::vector<Line>& next, int64_t killedAt, Tally& tally) {
    const auto fail = [&](const std::string& why) {
        tally.Failures.push_back("kill " + std::to_string(tally.Kills) + ": " + why);
    };
    for (const auto* lines : {&killed, &next}) {
        for (const Line& line : *lines) {
            if (line.What.starts_with("box")) {
                fail("unexpected message: " + line.What);
            }
        }
    }
    const Line* file = Find(next, "file");
    const Line* ready = Find(killed, "ready");
    if (!file || file->Edits < 0 || !ready) {
        fail("the file is not whole, or not an object of the drill's edits");
        return;
    }
    int64_t saved = Find(killed, "file")->Edits;
    int64_t underWay = -1;
    int64_t lastEdit = ready->Edits;
    std::vector<Line> edits;
    for (const Line& line : killed) {
        if (line.What == "save") {
            underWay = line.Edits;
        } else if (line.What == "saved") {
            saved = line.Edits;
            underWay = -1;
        } else if (line.What == "edit") {
            edits.push_back(line);
            lastEdit = line.Edits;
        }
    }
    if (file->Edits == saved) {
        ++tally.LastSave;
    } else if (file->Edits == underWay) {
        ++tally.SaveUnderWay;
    } else {
        fail("the file holds edit " + std::to_string(file->Edits) + ", not the last save's " +
             std::to_string(saved));
    }
    int64_t kept = file->Edits;
    if (const Line* offer = Find(next, "offer")) {
        ++tally.Offered;
        if (offer->Edits < 0 || offer->Edits > lastEdit) {
            fail("the offered copy does not load as the edits made it");
            return;
        }
        tally.Recovered += offer->Edits > file->Edits;
        kept = std::max(kept, offer->Edits);
    }
    int64_t lost = 0;
    int64_t oldestLost = 0;
    for (const Line& edit : edits) {
        if (edit.Edits > kept) {
            ++lost;
            oldestLost = std::max(oldestLost, killedAt - edit.Time);
        }
    }
    if (oldestLost > MostLostMilliseconds) {
        fail(std::to_string(lost) + " edits lost, the oldest " + std::to_string(oldestLost) +
             " ms before the kill");
    }
    const Line* offer = Find(next, "offer");
    std::printf(
        "kill %d, %lld ms into the run: %lld edits, the file holds %lld (%s), %s, %lld lost (the oldest "
        "%lld ms before the kill)\n",
        tally.Kills, static_cast<long long>(killedAt - ready->Time), static_cast<long long>(lastEdit),
        static_cast<long long>(file->Edits), file->Edits == saved ? "the last save" : "the save under way",
        offer ? ("a copy of " + std::to_string(offer->Edits) + " offered").c_str() : "no copy offered",
        static_cast<long long>(lost), static_cast<long long>(oldestLost));
    tally.MostLost = std::max(tally.MostLost, lost);
    tally.LongestLost = std::max(tally.LongestLost, oldestLost);
}

bool WaitForReady(const std::string& journal) {
    for (const int64_t until = DrillEdits::Now() + StartMilliseconds; DrillEdits::Now() < until;) {
        const std::vector<Line> lines = ReadJournal(journal);
        if (Find(lines, "ready") || Find(lines, "start")) {
            return Find(lines, "ready") != nullptr;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}
} // namespace

int main(int argc, char** argv) {
    int kills = 20;
    int seed = 1;
    std::optional<std::vector<int16_t>> meshes = ParseMeshSizes("30x32767,1x16990");
    for (int i = 1; i < argc; i += 2) {
        const std::string option = argv[i];
        if (i + 1 < argc && option == "--meshes") {
            meshes = ParseMeshSizes(argv[i + 1]);
        } else if (i + 1 < argc && (option == "--kills" || option == "--seed")) {
            (option == "--kills" ? kills : seed) = std::atoi(argv[i + 1]);
        } else {
            meshes.reset();
        }
        if (!meshes) {
            std::fprintf(stderr, "usage: kill_soak [--kills N] [--seed S] [--meshes COUNTxPOINTS,...]\n");
            return 2;
        }
    }
    char pattern[] = "/tmp/quillax-kill-soak-XXXXXX";
    const std::string folder = mkdtemp(pattern);
    const std::string state = folder + "/state";
    const std::string file = folder + "/walk.lin";
    const std::string base = folder + "/base.lin";
    const ObjectFile object = RandomWalkObject({*meshes, 1});
    WriteRandomWalkFile(file, object);
    WriteRandomWalkFile(base, object);

    std::mt19937 random(static_cast<unsigned>(seed));
    std::uniform_int_distribution<int64_t> moment(500, 6000);
    Tally tally;
    std::vector<Line> killed;
    int64_t killedAt = 0;
    for (int round = 0; round <= kills; ++round) {
        const std::string journal = folder + "/run-" + std::to_string(round) + ".log";
        const pid_t editor = Start({QUILLAX_DRILL, file, base, journal, std::to_string(seed + round)}, state,
                                   folder + "/output.log");
        const bool ready = editor > 0 && WaitForReady(journal);
        const std::vector<Line> started = ReadJournal(journal);
        if (round > 0) {
            const size_t before = tally.Failures.size();
            Judge(killed, started, killedAt, tally);
            tally.FailedKills += tally.Failures.size() != before;
        }
        if (!ready) {
            tally.Failures.push_back("run " + std::to_string(round) + " did not start");
            ++tally.FailedKills;
        }
        if (!ready || round == kills) {
            kill(editor, SIGKILL);
            waitpid(editor, nullptr, 0);
            break;
        }
        const int64_t wait = moment(random);
        std::this_thread::sleep_for(std::chrono::milliseconds(wait / 2));
        if (!FindLeftovers(state).empty()) {
            tally.Failures.push_back("run " + std::to_string(round) +
                                     ": a running editor's copy is a leftover");
            ++tally.FailedKills;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(wait - wait / 2));
        kill(editor, SIGKILL);
        killedAt = DrillEdits::Now();
        waitpid(editor, nullptr, 0);
        ++tally.Kills;
        killed = ReadJournal(journal);
    }
    std::printf("kills: %d; the file held the last save %d times, a save under way when killed %d times; "
                "copies offered %d times, %d recovered edits the file did not hold; at most %lld edits lost, "
                "the oldest %lld ms before its kill\n",
                tally.Kills, tally.LastSave, tally.SaveUnderWay, tally.Offered, tally.Recovered,
                static_cast<long long>(tally.MostLost), static_cast<long long>(tally.LongestLost));
    for (const std::string& failure : tally.Failures) {
        std::printf("FAILED %s\n", failure.c_str());
    }
    std::printf("%d passed, %d failed\n", tally.Kills - tally.FailedKills, tally.FailedKills);
    if (tally.Failures.empty()) {
        std::filesystem::remove_all(folder);
    } else {
        std::printf("the journals and the editor's output are kept in %s\n", folder.c_str());
    }
    return tally.Failures.empty() ? 0 : 1;
}
