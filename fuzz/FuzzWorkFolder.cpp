#include "fuzz/FuzzWorkFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace quillax {

namespace {
std::string MakeFolder() {
    for (const std::string base : {"/dev/shm", "/tmp"}) {
        std::string name = base + "/quillax-fuzz-XXXXXX";
        if (mkdtemp(name.data()) != nullptr) {
            return name;
        }
    }
    std::abort();
}

struct FolderOwner {
    ~FolderOwner() {
        std::error_code ignored;
        std::filesystem::remove_all(Path, ignored);
    }
    std::string Path = MakeFolder();
};
} // namespace

const std::string& FuzzWorkFolder() {
    static const FolderOwner folder;
    return folder.Path;
}

std::string WriteFuzzInput(const uint8_t* data, size_t size, const std::string& name) {
    const std::string path = FuzzWorkFolder() + "/" + name;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

} // namespace quillax
