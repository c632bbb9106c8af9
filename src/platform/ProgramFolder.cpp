#include "platform/ProgramFolder.h"

#include <filesystem>

namespace quillax {

namespace {
std::string OverrideFolder;
}

std::string ProgramFolder() {
    if (!OverrideFolder.empty()) {
        return OverrideFolder;
    }
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return std::filesystem::current_path().string();
    }
    return executable.parent_path().string();
}

void SetProgramFolder(const std::string& folder) {
    OverrideFolder = folder;
}

} // namespace quillax
