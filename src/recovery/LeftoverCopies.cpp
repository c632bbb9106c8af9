#include "recovery/LeftoverCopies.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace quillax {

namespace {
// What a copy says of itself is a few lines; anything longer is no such text.
constexpr std::streamsize MostAboutBytes = 1 << 16;

// The names of the slots in folder: every NAME.lin, NAME.about and NAME.lock, hidden files aside.
std::set<std::string> SlotNames(const std::string& folder) {
    std::set<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string file = entry.path().filename().native();
        const std::string extension = entry.path().extension().native();
        if (!file.starts_with(".") &&
            (extension == ".lin" || extension == ".about" || extension == ".lock")) {
            names.insert(file.substr(0, file.size() - extension.size()));
        }
    }
    return names;
}

RecoveryAbout ReadAbout(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string text(static_cast<size_t>(MostAboutBytes), '\0');
    file.read(text.data(), MostAboutBytes);
    text.resize(static_cast<size_t>(file.gcount()));
    return ParseAbout(text).value_or(RecoveryAbout{});
}
} // namespace

std::vector<LeftoverCopy> FindLeftovers(const std::string& folder) {
    std::vector<LeftoverCopy> copies;
    for (const std::string& name : SlotNames(folder)) {
        std::shared_ptr<RecoverySlot> slot = RecoverySlot::Take(folder, name);
        if (!slot) {
            continue;
        }
        struct stat status {};
        if (stat(slot->CopyPath().c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
            slot->RemoveAll();
            continue;
        }
        const int64_t written =
            static_cast<int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec;
        copies.push_back({slot, ReadAbout(slot->AboutPath()), written});
    }
    std::sort(copies.begin(), copies.end(), [](const LeftoverCopy& a, const LeftoverCopy& b) {
        return a.WrittenNanoseconds > b.WrittenNanoseconds;
    });
    return copies;
}

} // namespace quillax
