#include "support/TempFolder.h"

#include <dirent.h>
#include <stdexcept>
#include <stdlib.h>

namespace quillax {

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quillax-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary folder");
    }
    RootPath = pattern;
}

TempFolder::~TempFolder() {
    std::error_code error;
    std::filesystem::permissions(RootPath, std::filesystem::perms::owner_all, error);
    std::filesystem::remove_all(RootPath, error);
}

std::set<std::string> FolderNames(const std::string& folder) {
    std::set<std::string> names;
    DIR* listing = opendir(folder.c_str());
    while (const dirent* entry = listing != nullptr ? readdir(listing) : nullptr) {
        if (std::string(entry->d_name) != "." && std::string(entry->d_name) != "..") {
            names.insert(entry->d_name);
        }
    }
    if (listing != nullptr) {
        closedir(listing);
    }
    return names;
}

} // namespace quillax
