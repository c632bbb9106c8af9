#include "support/TempFolder.h"

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

} // namespace quillax
