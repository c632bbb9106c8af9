#pragma once

#include "fileio/OutputFile.h"
#include "recovery/RecoveryAbout.h"
#include "recovery/RecoverySlot.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace quillax {

// What a recovery folder holds, for tests that look at it from outside the editor.
namespace RecoveryCopies {

// The files in folder whose names end with extension (".lin", ".about", ".lock").
inline std::vector<std::string> Files(const std::string& folder, const std::string& extension) {
    std::vector<std::string> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() == extension) {
            found.push_back(entry.path().string());
        }
    }
    return found;
}

inline std::vector<uint8_t> Bytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// What an editor killed after writing its copy leaves: the copy, what it says, and a lock that no
// process holds any more.
inline void LeaveCopy(const std::string& folder, const std::vector<uint8_t>& object,
                      const RecoveryAbout& about) {
    const std::shared_ptr<RecoverySlot> slot = RecoverySlot::Claim(folder);
    const std::string text = AboutText(about);
    WriteWholeFile(slot->AboutPath(), std::vector<uint8_t>(text.begin(), text.end()));
    WriteWholeFile(slot->CopyPath(), object);
}

} // namespace RecoveryCopies

} // namespace quillax
