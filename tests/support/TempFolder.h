#pragma once

#include <filesystem>
#include <set>
#include <string>

namespace quillax {

// A private folder for one test's files, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Path(const std::string& name) const { return (RootPath / name).string(); }
    const std::filesystem::path& Root() const { return RootPath; }

private:
    std::filesystem::path RootPath;
};

// The names in a folder, "." and ".." left out; none when it cannot be read.
std::set<std::string> FolderNames(const std::string& folder);

} // namespace quillax
